#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The format of a file by its first bytes, or "[ERROR] UNRECOGNIZED".
std::string identifyFileSignature(const std::string& path);

// The same for bytes already read: the first size bytes of data, with
// every byte of the header beyond them taken as 0.
std::string identifySignatureOfBytes(const uint8_t* data, size_t size);
