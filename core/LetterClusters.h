#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// A character with the combining marks that follow it: what a misspelling doubles, swaps, leaves out or
// replaces as a whole, so that a mark stays with its letter. Marks do not join a control character, and
// marks at the start of a text or after a control form a cluster of their own.
struct TCluster {
    std::size_t Start;
    std::size_t End;
    // The first character is a Unicode letter or decimal digit.
    bool LetterOrDigit;
    // The one character that a letter or digit cluster composes to (canonically), 0 when there is none:
    // the key that was typed for it.
    char32_t Key;
};

std::vector<TCluster> LetterClusters(std::string_view text);
