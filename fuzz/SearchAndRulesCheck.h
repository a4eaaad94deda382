#pragma once

#include "CodePage.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

// Texts drawn from the input: raw bytes, or bytes mapped onto a few letters, blanks and the characters that
// the operations treat specially, so that terms, repeats and separators meet often.
std::string DrawText(FuzzedDataProvider& in, std::size_t maxLength);
std::vector<std::string> DrawTexts(FuzzedDataProvider& in, std::size_t maxCount, std::size_t maxLength);

// The many-pattern search with any table size against a search for one pattern at a time.
void CheckMultiPatternSearch(FuzzedDataProvider& in, const TCodePage& codePage);
// Comparison, sort keys, case and Unicode conversion of a code page.
void CheckCodePage(FuzzedDataProvider& in, const TCodePage& codePage);
// The word and string rules against their plain forms.
void CheckWordRules(FuzzedDataProvider& in, const TCodePage& codePage);
