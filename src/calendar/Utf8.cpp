#include "calendar/Utf8.h"

namespace zenthra {

namespace {

constexpr int32_t kReplacementCharacter = 0xFFFD;
constexpr int32_t kLastCharacterCode = 0x10FFFF;

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length of the well-formed sequence starting at `i`, or 1 for a stray or truncated byte.
size_t SequenceLength(std::string_view text, size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 1;
    if (i + length > text.size()) {
        return 1;
    }
    for (size_t k = 1; k < length; ++k) {
        if (!IsContinuationByte(text[i + k])) {
            return 1;
        }
    }
    return length;
}

}  // namespace

std::vector<std::string_view> SplitCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (size_t i = 0; i < text.size();) {
        const size_t length = SequenceLength(text, i);
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t n = 0; n < count && end < text.size(); ++n) {
        end += SequenceLength(text, end);
    }
    return text.substr(0, end);
}

int32_t FirstCharacterCode(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const size_t length = SequenceLength(text, 0);
    const auto lead = static_cast<unsigned char>(text[0]);
    if (length == 1) {
        return lead;
    }
    // The lead byte keeps 7 - length payload bits, each continuation byte 6.
    int32_t code = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[k]) & 0x3F);
    }
    return code;
}

std::string EncodeCharacterCode(int32_t code) {
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < 0 || code > kLastCharacterCode || surrogate) {
        code = kReplacementCharacter;
    }
    const auto byte = [](int32_t bits) { return static_cast<char>(bits); };
    if (code < 0x80) {
        return {byte(code)};
    }
    const auto continuation = [&](int shift) { return byte(0x80 | ((code >> shift) & 0x3F)); };
    if (code < 0x800) {
        return {byte(0xC0 | (code >> 6)), continuation(0)};
    }
    if (code < 0x10000) {
        return {byte(0xE0 | (code >> 12)), continuation(6), continuation(0)};
    }
    return {byte(0xF0 | (code >> 18)), continuation(12), continuation(6), continuation(0)};
}

}  // namespace zenthra
