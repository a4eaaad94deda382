#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

// A set of Unicode characters (code points). ASCII members live in a bitmap, the rest in a sorted vector:
// the sets users pick and the fixed ones hold few characters beyond ASCII.
class TCharSet {
public:
    TCharSet() = default;
    TCharSet(std::initializer_list<char32_t> members) {
        for (char32_t m : members)
            Include(m);
    }

    bool Contains(char32_t c) const {
        if (c < 0x80)
            return (ascii_[c >> 6] >> (c & 63)) & 1;
        return ContainsBeyondAscii(c);
    }
    void Include(char32_t c);
    void Exclude(char32_t c);
    bool Empty() const { return ascii_[0] == 0 && ascii_[1] == 0 && beyond_.empty(); }
    int Size() const;
    // Lowest member; the set must not be empty.
    char32_t Lowest() const;
    // No member is beyond ASCII: any byte from 0x80 up belongs to a character outside the set.
    bool AsciiOnly() const { return beyond_.empty(); }
    bool operator==(const TCharSet&) const = default;

private:
    bool ContainsBeyondAscii(char32_t c) const;

    std::array<std::uint64_t, 2> ascii_{};
    std::vector<char32_t> beyond_;
};

// Tab, blank and the Unicode white space beyond ASCII: what separates words (IsWordBlank).
const TCharSet& BlankSet();
// Stripped from both ends before a text is put into a match-type form: the blanks, double quote,
// apostrophe and square brackets.
const TCharSet& MatchTypeTrimSet();
// Where recombining cuts phrases into words: the blanks and full stop.
const TCharSet& RecombineSeparators();

// The text without the set's characters at its start and at its end; characters are never split.
std::string_view TrimmedBy(std::string_view text, const TCharSet& set);
