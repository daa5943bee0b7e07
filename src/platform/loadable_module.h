#pragma once

#include <string>

// The address of symbol in the shared module at path, or nullptr with the
// loader's reason in error. The module is loaded at its first use and stays
// for the life of the process: code it started (the toolkit's threads and
// handlers) may still run when its caller is done with it.
const void* moduleSymbol(const std::string& path, const char* symbol, std::string& error);
