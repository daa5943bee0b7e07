#pragma once

#include <string>

#include "app/command_line.h"

// Upper-cased option name of parameter i: the whole parameter for "-x", the
// part before the first "=" for "--name"; "" when it does not begin with "-".
std::string optionNameAt(const CommandLine& commandLine, int index);
// The trimmed parameter, or what follows the first "=" of a "--name=" parameter.
std::string optionValueAt(const CommandLine& commandLine, int index);

// Walks every parameter into the settings, the job and the console flags;
// stops at the first error, leaving it in errorText.
void parseOptions(CommandLine& commandLine);
