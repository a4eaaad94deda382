#pragma once

#include "core/TermSearch.h"

#include <string>
#include <string_view>
#include <vector>

// Finds words and phrases as whole words, ignoring case (both sides folded). A phrase is its words: the
// blanks between them in a phrase or an entry may be any run of word blanks. A match must begin at the start
// of the text or after a character that is no word character, and end at the end of the text or before one;
// word characters are Unicode letters, digits and combining marks, so `free` is found in `free, shipping`
// and `(free)` but not in `freestyle`. Phrases without words are left out.
class TWholeWordSearch {
public:
    explicit TWholeWordSearch(const std::vector<std::string>& phrases);

    bool Empty() const { return search_.Empty(); }

    // Room for a text with its blanks made single and its folded form, one per thread.
    struct TScratch {
        std::string Spaced;
        std::string Folded;
    };

    bool Holds(std::string_view text, TScratch& scratch) const;

private:
    // Whether some phrase has more than one word, so that runs of blanks in a text need making single; set
    // while search_ is made, so declared before it.
    bool phrases_ = false;
    TTermSearch search_;
};

// Whether c belongs to a word for whole-word matching.
bool IsWordChar(char32_t c);
// The phrase's words, each run of word blanks between them made one blank, none at either end.
std::string SingleSpaced(std::string_view text);
