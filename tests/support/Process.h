// A program run through the shell as a user runs it, with what it printed and its status.
#pragma once

#include <string>

#include "support/FileContents.h"

namespace zenthra::testing {

struct ProcessResult {
    std::string out;
    std::string errors;
    int status = -1;  // -1 when it did not end by itself
};

// `command` is a shell command line; its standard error is kept apart from its output.
ProcessResult RunCommand(const std::string& command);

}  // namespace zenthra::testing
