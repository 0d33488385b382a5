// The full and the half turn used for every angle in the program.
#pragma once

namespace zenthra {

inline constexpr double kFullTurn = 6.28318530717959;
inline constexpr double kHalfTurn = 3.141592653589795;

}  // namespace zenthra
