#pragma once

#include <string>

// The format of a file by its first bytes, or "[ERROR] UNRECOGNIZED".
std::string identifyFileSignature(const std::string& path);
