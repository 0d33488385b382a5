// Character-wise access to UTF-8 text: positions, sets and separators count characters, so
// that a character such as "°" is never split.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zenthra {

// The characters of `text` in order, each a view of its bytes. A byte that does not begin a
// well-formed sequence counts as a character of its own.
std::vector<std::string_view> SplitCharacters(std::string_view text);

// The first `count` characters of `text`, or all of it when it is shorter.
std::string_view FirstCharacters(std::string_view text, size_t count);

// The code of the first character of `text` (a malformed byte gives its own value); 0 when
// the text is empty.
int32_t FirstCharacterCode(std::string_view text);

// The UTF-8 bytes of a character code; U+FFFD for a number that is no character.
std::string EncodeCharacterCode(int32_t code);

}  // namespace zenthra
