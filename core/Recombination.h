#pragma once

#include "core/MemoryBudget.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TKeyItems;

// Advances the sequence to the next one in lexicographic order; false (sequence untouched) when it was the
// last one.
bool NextPermutation(std::vector<int>& sequence);

// Emits every order of the words joined by single blanks: first the given order, then the following ones in
// lexicographic order of the word positions. Equal words are not merged; no words emit one empty text.
void WordPermutations(const std::vector<std::string>& words,
                      const std::function<void(std::string_view)>& emit);

// Appends to target every word order of each phrase (words cut at tab, blank and full stop) that has at most
// limit words. Raises EMemoryBudgetError and adds nothing when the new entries would need more than
// memoryBudget bytes.
void RecombineWords(const std::vector<std::string>& phrases, int limit, TKeyItems& target,
                    std::size_t memoryBudget = DefaultMemoryBudget);
