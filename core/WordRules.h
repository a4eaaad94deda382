#pragma once

#include "CharSet.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Match types of search-engine advertising; any other value behaves as broad.
enum : std::uint8_t { PhraseMatch = 0, ExactMatch = 1, BroadMatch = 2 };

// Words are maximal runs of characters other than tab and blank.
int CountWords(std::string_view text);
// The maximal non-empty runs of non-separators, in order. Raises on an empty separator set.
void SplitWords(std::string_view text, const TCharSet& separators, std::vector<std::string>& words);
std::string WrapMatchType(std::string_view text, std::uint8_t matchType);
std::string TextAfter(std::string_view text, std::size_t position);
std::string PadLeft(std::string_view text, std::size_t width, char fill);
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
inline int Min(int a, int b) {
    return a < b ? a : b;
}

// 1-based position of the first occurrence of pattern in text, 0 when absent (an empty pattern is absent).
std::size_t Pos(std::string_view pattern, std::string_view text);
// Replaces every non-overlapping occurrence, left to right; an empty pattern changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);
