#pragma once

#include "core/TermSearch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A run of word characters: its bytes in the text and the hash of its folded form.
struct TRun {
    std::size_t Start;
    std::size_t End;
    std::uint64_t Hash;
};

// Finds words and phrases as whole words, ignoring case (both sides folded). A phrase is its words: the
// blanks between them in a phrase or an entry may be any run of word blanks. A match must begin at the start
// of the text or after a character that is no word character, and end at the end of the text or before one;
// word characters are Unicode letters, digits and combining marks, so `free` is found in `free, shipping`
// and `(free)` but not in `freestyle`. Phrases without words are left out.
class TWholeWordSearch {
public:
    explicit TWholeWordSearch(const std::vector<std::string_view>& phrases);

    bool Empty() const { return keys_.empty() && !others_; }

    // Room for the work on one text, one per thread.
    struct TScratch {
        std::string Spaced;
        std::string Folded;
        std::string Span;
        std::vector<TRun> Runs;
        // Short keys found lately, by hash: a few negatives (`free`, `cheap`) make most of the matches, and
        // these are checked here without a trip to the key table.
        struct TFound {
            std::uint64_t Hash = 0;
            std::uint32_t Size = 0;
            std::array<char, 20> Key{};
        };
        std::array<TFound, 256> Found{};
    };

    bool Holds(std::string_view text, TScratch& scratch) const;

private:
    bool HoldsKey(std::string_view text, TScratch& scratch) const;
    bool HoldsOther(std::string_view text, TScratch& scratch) const;
    void AddKey(std::string folded, std::vector<TRun>& runs);
    bool IsKey(std::uint64_t hash, std::string_view text, std::size_t from, std::size_t to,
               TScratch& scratch) const;

    // A phrase that begins and ends with a word character matches exactly where a run of whole words of the
    // text, with what lies between them, equals it; those are looked up by hash, run by run. The others
    // (`c++`, `(free)`) are searched for, their boundaries checked where they occur.
    std::vector<std::string> keys_;
    // Slots of key indices by hash, each beside the upper half of its key's hash, and a bit for the hash of
    // each key's first word.
    std::vector<std::uint64_t> slots_;
    std::vector<std::uint64_t> firstWords_;
    std::size_t longest_ = 0;
    // Whether some other phrase has more than one word, so that runs of blanks in a text need making single.
    bool otherPhrases_ = false;
    std::unique_ptr<TTermSearch> others_;
};

// Whether c belongs to a word for whole-word matching.
bool IsWordChar(char32_t c);
// The phrase's words, each run of word blanks between them made one blank, none at either end.
std::string SingleSpaced(std::string_view text);
