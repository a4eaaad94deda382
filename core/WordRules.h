#pragma once

#include "core/CharSet.h"
#include "core/Utf8.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Match types of search-engine advertising; any other value behaves as broad.
enum : std::uint8_t { PhraseMatch = 0, ExactMatch = 1, BroadMatch = 2 };

// Whether a byte may start a word blank beyond ASCII: those few (U+0085 to U+3000) all start with one of
// these bytes, so every other character is passed over without being decoded.
inline bool MayStartWideBlank(std::uint8_t b) {
    return (b == 0xC2) | (static_cast<std::uint8_t>(b - 0xE1) < 3);
}

// Bytes of the word blank (IsWordBlank) at text[i], or 0 when the character there is none.
inline std::size_t BlankLength(std::string_view text, std::size_t i) {
    const auto b = static_cast<std::uint8_t>(text[i]);
    if (b < 0x80)
        return b == ' ' || b == '\t' ? 1 : 0;
    if (!MayStartWideBlank(b))
        return 0;
    std::size_t next = i;
    return IsWordBlank(Utf8::Next(text, next)) ? next - i : 0;
}

// Words are maximal runs of characters other than word blanks.
int CountWords(std::string_view text);
// The maximal non-empty runs of non-separators, in order. Raises on an empty separator set.
void SplitWords(std::string_view text, const TCharSet& separators, std::vector<std::string>& words);
std::string WrapMatchType(std::string_view text, std::uint8_t matchType);
// Positions and widths count characters.
std::string TextAfter(std::string_view text, std::size_t position);
std::string PadLeft(std::string_view text, std::size_t width, char fill);
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
// Replaces every non-overlapping occurrence, left to right; an empty pattern changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);
