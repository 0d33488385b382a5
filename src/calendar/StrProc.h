// Cleaning and reading what the user types into text fields. Positions are 1-based and count
// characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zenthra {

// The digits of `text` in order, led by its first "-" or "+" when that sign is allowed and
// comes before every digit and other sign.
std::string CleanIntegerText(std::string_view text, bool allowMinus, bool allowPlus);

// The characters of `text` that occur in `set`, in their order.
std::string KeepOnlyChars(std::string_view text, std::string_view set);

// `text` without its leading characters that occur in `set`.
std::string StripLeadingChars(std::string_view text, std::string_view set);

// Position of the first character at or after `start` that does not occur in `set`; 0 when
// there is none or the text is empty, 1 when the set is empty.
int FindFirstCharNotIn(std::string_view text, int start, std::string_view set);

// The number that the text's leading blanks, optional sign and leading digits write, held at
// the nearest 32-bit limit when it lies beyond one; 0 when there are no digits.
int32_t SaturatingInteger(std::string_view text);

// The leading number of a text (blanks, a sign, digits and a decimal part) to the nearest
// integer, halves to the even one, held within 32 bits; 0 when the text begins with no number.
int32_t LeadingNumberRounded(std::string_view text);

// The text without the spaces at its ends.
std::string TrimSpaces(std::string_view text);

// The text with its letters A to Z in lower case.
std::string LowerCase(std::string_view text);

}  // namespace zenthra
