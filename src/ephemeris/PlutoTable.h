// Pluto's longitude from a daily table: one entry per day at 0h UT from 1600-01-01 to
// 2100-01-01, read once from pluto.slx in the data folder and interpolated linearly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/MessageBoxes.h"

namespace zenthra {

inline constexpr const char* kPlutoFileName = "pluto.slx";

// Entries needed: the days 2305448 to 2488070.
inline constexpr int32_t kPlutoEntryCount = 182623;

// Filled by LoadPlutoTable only; a load of the file the table came from leaves it as it is.
extern std::vector<std::string> PlutoTable;
extern bool plutoLoaded;

// Loads the table when a run needs it: Pluto chosen as the second body, a show-all run, or
// a personal run. On failure shows "Cannot read Pluto data" and fails.
bool EnsurePlutoTable(const std::string& secondBodyText, bool showAllMode, bool optPersonal,
                      MessageBoxes& boxes);

// Reads the table from the data folder. A file that cannot be read, that holds fewer
// entries than needed or an entry that does not decode to a longitude is refused with the
// "Startup error" message, and the table stays empty.
bool LoadPlutoTable(const std::string& name, MessageBoxes& boxes);

// Entry k in degrees.
double DecodePlutoEntry(int32_t k);

// Radians, or kBeforeRange / kAfterRange outside the table's days.
double PlutoLongitude(double instant);

// The three characters that encode a longitude (whole arcminutes, 0 to 21599) as entry k.
std::string EncodePlutoEntry(int32_t k, int32_t arcminutes);

}  // namespace zenthra
