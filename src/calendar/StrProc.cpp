#include "calendar/StrProc.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "calendar/Utf8.h"
#include "support/Trim.h"

namespace zenthra {

namespace {

constexpr std::string_view kDigits = "0123456789";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool Contains(const std::vector<std::string_view>& set, std::string_view character) {
    return std::find(set.begin(), set.end(), character) != set.end();
}

}  // namespace

std::string CleanIntegerText(std::string_view text, bool allowMinus, bool allowPlus) {
    const std::string signedDigits = KeepOnlyChars(text, "0123456789-+");
    if (signedDigits.empty()) {
        return "";
    }
    std::string first = signedDigits.substr(0, 1);
    if ((first == "-" && !allowMinus) || (first == "+" && !allowPlus)) {
        first.clear();
    }
    return first + KeepOnlyChars(std::string_view(signedDigits).substr(1), kDigits);
}

std::string KeepOnlyChars(std::string_view text, std::string_view set) {
    const std::vector<std::string_view> setCharacters = SplitCharacters(set);
    std::string kept;
    for (const std::string_view character : SplitCharacters(text)) {
        if (Contains(setCharacters, character)) {
            kept += character;
        }
    }
    return kept;
}

std::string StripLeadingChars(std::string_view text, std::string_view set) {
    const int first = FindFirstCharNotIn(text, 1, set);
    if (first == 0) {
        return "";
    }
    const std::vector<std::string_view> characters = SplitCharacters(text);
    return std::string(text.substr(characters[first - 1].data() - text.data()));
}

int FindFirstCharNotIn(std::string_view text, int start, std::string_view set) {
    if (text.empty()) {
        return 0;
    }
    if (set.empty()) {
        return 1;
    }
    const std::vector<std::string_view> setCharacters = SplitCharacters(set);
    const std::vector<std::string_view> characters = SplitCharacters(text);
    for (size_t i = static_cast<size_t>(std::max(start, 1)) - 1; i < characters.size(); ++i) {
        if (!Contains(setCharacters, characters[i])) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

namespace {

constexpr int64_t kMaxInt32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMinInt32 = std::numeric_limits<int32_t>::min();

// The leading blanks, sign and digits of a text. Held just past the 32-bit limit, the
// magnitude can neither overflow nor lose its saturation.
struct LeadingInteger {
    bool negative = false;
    int64_t magnitude = 0;
    size_t end = 0;  // the position after the digits

    int32_t Saturated() const {
        return static_cast<int32_t>(negative ? std::max(-magnitude, kMinInt32)
                                             : std::min(magnitude, kMaxInt32));
    }
};

LeadingInteger ReadLeadingInteger(std::string_view text) {
    LeadingInteger n;
    size_t i = std::min(text.find_first_not_of(" \t"), text.size());
    n.negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        n.magnitude = std::min(n.magnitude * 10 + (text[i] - '0'), kMaxInt32 + 1);
    }
    n.end = i;
    return n;
}

// How a fraction's digits compare with one half: below (-1), equal (0) or above (1).
int CompareWithHalf(std::string_view digits) {
    if (digits.empty() || digits[0] != '5') {
        return !digits.empty() && digits[0] > '5' ? 1 : -1;
    }
    return digits.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
}

}  // namespace

int32_t SaturatingInteger(std::string_view text) {
    return ReadLeadingInteger(text).Saturated();
}

int32_t LeadingNumberRounded(std::string_view text) {
    LeadingInteger n = ReadLeadingInteger(text);
    if (n.end < text.size() && text[n.end] == '.') {
        const std::string_view rest = text.substr(n.end + 1);
        const std::string_view fraction =
            rest.substr(0, std::min(rest.find_first_not_of("0123456789"), rest.size()));
        const int half = CompareWithHalf(fraction);
        if (half > 0 || (half == 0 && n.magnitude % 2 == 1)) {
            n.magnitude = std::min(n.magnitude + 1, kMaxInt32 + 1);
        }
    }
    return n.Saturated();
}

std::string TrimSpaces(std::string_view text) {
    return Trimmed(text, " ");
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

}  // namespace zenthra
