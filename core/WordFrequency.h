#pragma once

#include "core/KeyItems.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TWordCount {
    std::string Text;
    int Entries = 0;

    bool operator==(const TWordCount&) const = default;
};

// The words of the list, and with maxWords 2 or 3 also its runs of two and three consecutive words, each with
// the number of entries holding it (an entry counts once however often it holds one). Texts are folded (so
// `Shoes` and `SHOES` count together, shown as `shoes`); words are the runs between word blanks with the
// characters that are no word characters (IsWordChar) cut off at both ends, and a run of words stops where
// such a cut or a word of punctuation alone falls, so each counted text is found by HighlightHoldingWords in
// every entry it was counted for. Most entries first, then by text (bytes). Runs of fewer than minWords words
// are left out.
// Reports its progress and stops when it is cancelled (see core/Progress.h).
std::vector<TWordCount> CountWordFrequencies(const TKeyItems& list, int maxWords, int minWords = 1);

// The runs of exactly that many words of some list, counted as above; none when the user cancelled the
// counting.
using TCountWordRuns = std::function<std::optional<std::vector<TWordCount>>(int words)>;
