// The host's options as one table (CommandLineOptions.cpp), which both the parser and --help
// read (CommandLine.cpp). A new option is a field of HostOptions and a row of the table.
#pragma once

#include <span>
#include <string>

#include "session/CommandLine.h"

// Applies an option's value (empty for a flag); false with a one-line reason in error.
using ApplyOption = bool (*)(const std::string& name, const std::string& value, HostOptions& options,
                             std::string& error);

struct Option {
    const char* name;
    const char* value;           // the value's placeholder in --help; null for a flag
    bool headlessOnly;           // refused without --headless; marked "(headless)" in --help
    const char* help;            // lines after the first are indented under it
    ApplyOption apply;
};

// Every option, in the order of --help.
std::span<const Option> HostOptionTable();
