// zenthra-cli: fills the window's fields and lists from the options as a user would, presses
// the window's button, prints the pane as it fills, and tells how it went.
#pragma once

#include <ostream>

#include "cli/CliOptions.h"

namespace zenthra {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;
// Plus the signal's number, when a signal stopped the run.
inline constexpr int kExitSignalled = 128;

// The exit status of the command.
int RunConsole(const CliOptions& options, std::ostream& out, std::ostream& errors);

// The exit status once `out` is flushed: a write to it that failed at any point, a full disk
// or a closed pipe, is told once and turns success into kExitRefused.
int FlushedExit(int status, std::ostream& out, std::ostream& errors);

}  // namespace zenthra
