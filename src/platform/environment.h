#pragma once

#include <optional>
#include <string>

// The value of an environment variable, when it is set.
std::optional<std::string> environmentValue(const std::string& name);
