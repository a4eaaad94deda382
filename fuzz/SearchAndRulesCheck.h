#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

// Texts drawn from the input, always well-formed UTF-8 as every list holds: any characters, or bytes mapped
// onto a few characters (ASCII and beyond, blanks, combining marks, letters with special case rules) that
// the operations treat specially, so that terms, repeats and separators meet often.
std::string DrawText(FuzzedDataProvider& in, std::size_t maxLength);
std::vector<std::string> DrawTexts(FuzzedDataProvider& in, std::size_t maxCount, std::size_t maxLength);

// The many-pattern search with any table size against a search for one pattern at a time.
void CheckMultiPatternSearch(FuzzedDataProvider& in);
// Comparison, collation keys, folding and case of the text locale's rules.
void CheckTextRules(FuzzedDataProvider& in);
// The word and string rules against their plain forms.
void CheckWordRules(FuzzedDataProvider& in);
