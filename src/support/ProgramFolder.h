// Where the program's data files (pluto.slx, zta_help.txt) are: beside the executable in the
// build tree, or under <prefix>/share/zenthra once installed.
#pragma once

#include <string>

namespace zenthra {

// Without a trailing separator.
std::string ProgramDataFolder();

}  // namespace zenthra
