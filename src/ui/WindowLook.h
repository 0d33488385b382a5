// The main window's colours.
#pragma once

#include "ui/Controls.h"

namespace zenthra {

inline constexpr Rgb kWindowBackground{47, 8, 91};
inline constexpr Rgb kWindowText{213, 237, 248};
inline constexpr Rgb kProgressText{255, 255, 0};

}  // namespace zenthra
