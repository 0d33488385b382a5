// The one way of cutting characters off both ends of a text.
#pragma once

#include <string>
#include <string_view>

namespace zenthra {

// `text` without any of `blanks` at its start and end.
inline std::string Trimmed(std::string_view text, std::string_view blanks) {
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(blanks) - first + 1));
}

}  // namespace zenthra
