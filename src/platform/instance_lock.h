#pragma once

#include <string>

// Takes the machine-wide lock named after name for the rest of the process.
// False when another process holds it already.
bool acquireInstanceLock(const std::string& name);
