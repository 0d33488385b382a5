#include "alltransits/QuickSort.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace zenthra {

namespace {

std::string_view Key(const std::string& entry, int keyPosition) {
    const size_t from = static_cast<size_t>(keyPosition - 1);
    return from < entry.size() ? std::string_view(entry).substr(from) : std::string_view();
}

void SortDescending(std::vector<std::string>& list, int first, int last, int keyPosition) {
    if (first >= last) {
        return;
    }
    // A copy: the entry it comes from may be exchanged while partitioning.
    const std::string pivot(Key(list[first + (last - first) / 2], keyPosition));
    int i = first;
    int j = last;
    do {
        while (i < last && Key(list[i], keyPosition) > pivot) {
            ++i;
        }
        while (j > first && Key(list[j], keyPosition) < pivot) {
            --j;
        }
        if (i <= j) {
            if (i < j) {
                std::swap(list[i], list[j]);
            }
            ++i;
            --j;
        }
    } while (i <= j);
    SortDescending(list, first, j, keyPosition);
    SortDescending(list, i, last, keyPosition);
}

}  // namespace

void SortRecords(std::vector<std::string>& list, int first, int last, int keyPosition) {
    if (first < 0 || last >= static_cast<int>(list.size()) || first >= last || keyPosition < 1) {
        return;
    }
    SortDescending(list, first, last, keyPosition);
    std::reverse(list.begin() + first, list.begin() + last + 1);
}

}  // namespace zenthra
