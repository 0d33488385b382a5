// The timezone lists of the main window: whole and half-hour offsets from Greenwich, with
// optional North American abbreviations, and the entry of the computer's own timezone.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zenthra {

// List positions: 0 is the empty entry (no timezone), 1 to 47 the offsets -11:30 to +11:30.
inline constexpr int kTimezoneCount = 48;
inline constexpr int kGreenwichIndex = 24;

// The 48 entry texts: "", "GMT-11:30" ... "GMT" ... "GMT+11:30". With the abbreviations, ten
// entries from -10:00 to -2:30 show North American zone names ("EST/CDT") instead.
std::vector<std::string> TimezoneListTexts(bool withAbbreviations);

// Minutes east of Greenwich of a list position: (index - 24) * 30.
int TimezoneMinutes(int index);

// The entry of a timezone `secondsWest` of Greenwich: the offset is rounded to whole minutes,
// then to half hours, halves to the even neighbour each time. None beyond the list's ±11:30.
std::optional<int> LocalTimezoneIndex(int32_t secondsWest);

// The entry of the computer's standard timezone.
std::optional<int> LocalTimezoneIndex();

}  // namespace zenthra
