#pragma once

#include <string>

// The system's words for an errno value ("Permission denied"); safe on any
// thread, unlike strerror.
std::string errorText(int error);
