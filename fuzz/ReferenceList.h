#pragma once

#include "core/CharSet.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The keyword-list operations written as plainly as they can be, one entry at a time, without the
// shortcuts of the real ones: the standard that the fuzzer holds the real operations to.
namespace Plain {

using TTexts = std::vector<std::string>;

int CountWords(std::string_view text);
TTexts SplitWords(std::string_view text, const TCharSet& separators);
std::string WrapMatchType(std::string_view text, std::uint8_t matchType);
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);
std::string Mapped(std::string_view text, const std::array<std::uint8_t, 256>& table);
// Unicode case through ICU's UTF-16 functions, and simple case folding one character at a time.
std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);
std::string Folded(std::string_view text);

// Rewrites every entry; the cleaning and modifying operations in place.
TTexts RemoveTerms(const TTexts& texts, const TTexts& terms);
TTexts CollapseSpaces(const TTexts& texts);
TTexts CollapseRepeats(const TTexts& texts);
TTexts RemoveChars(const TTexts& texts, const TCharSet& chars);
TTexts TrimChars(const TTexts& texts, const TCharSet& chars);
TTexts AddText(const TTexts& texts, std::string_view text, bool atStart, bool asNew);
TTexts CapitalizeWords(const TTexts& texts);
TTexts ReplaceText(const TTexts& texts, std::string_view find, std::string_view replacement);
TTexts SetMatchType(const TTexts& texts, std::uint8_t matchType);

// What the multiplying operations append.
TTexts ReplacedCopies(const TTexts& texts, std::string_view find, std::string_view replacement);
TTexts MatchTypeCopies(const TTexts& texts, std::uint8_t matchType);
TTexts Misspellings(const TTexts& phrases, int kinds);
TTexts Recombinations(const TTexts& phrases, int limit);

// The indices that picking appends, in order.
std::vector<int> PickByTerms(const TTexts& texts, const TTexts& terms, std::uint8_t position);
std::vector<int> PickByWordCount(const TTexts& texts, int n, std::uint8_t comparison);

// Deletes from the last index to the first; the first index out of range stops it, and is returned.
std::optional<long long> DeleteIndices(TTexts& texts, const std::vector<int>& indices);

std::string CommaText(const TTexts& texts);
std::string LineText(const TTexts& texts);

} // namespace Plain
