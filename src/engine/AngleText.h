// The angle text of a table cell: degrees and arcminutes such as 0°12'.
#pragma once

#include <string>

namespace zenthra {

// The empty text for an angle outside 0 to 2pi (or not a number).
std::string FormatAngle(double radians, bool omitZeroMinutes, bool spaceBeforeMinutes);

}  // namespace zenthra
