// Orders a list of texts by their characters from a key position on.
#pragma once

#include <string>
#include <vector>

namespace zenthra {

// Entries first to last (0-based, inclusive) in ascending order of their text from the 1-based
// `keyPosition` on, compared by character codes. A quicksort that orders descending, then a
// reversal of the range: entries with equal keys keep the order that this leaves them in.
void SortRecords(std::vector<std::string>& list, int first, int last, int keyPosition);

}  // namespace zenthra
