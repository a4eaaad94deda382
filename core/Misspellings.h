#pragma once

#include "core/MemoryBudget.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TKeyItems;

// Misspelling kinds, one bit each.
enum : int { DoubledChars = 1, SwappedChars = 2, MissingChars = 4, QwertyErrors = 8 };

using TEmitText = std::function<void(std::string_view)>;

// Each generator emits its variants of the phrase in order of position (i below), a position being a
// character with its combining marks (LetterClusters); letters and digits are Unicode ones.
// A letter or digit at i written twice.
void DoubledCharVariants(std::string_view phrase, const TEmitText& emit);
// Characters i and i+1 exchanged, for a letter or digit at i (whatever follows it).
void SwappedCharVariants(std::string_view phrase, const TEmitText& emit);
// A letter or digit at i left out.
void MissingCharVariants(std::string_view phrase, const TEmitText& emit);
// A letter at i replaced by each of its keyboard neighbours in turn (KeyboardNeighbours).
void QwertyVariants(std::string_view phrase, const TEmitText& emit);

// Appends to target, for each phrase in order, the phrase itself followed by the variants of the chosen
// kinds (doubled, swapped, missing, keyboard, always in that order). Raises EMemoryBudgetError and adds
// nothing when the new entries would need more than memoryBudget bytes.
void AddMisspellings(const std::vector<std::string>& phrases, int kinds, TKeyItems& target,
                     std::size_t memoryBudget = DefaultMemoryBudget);
