#pragma once

#include <bitset>
#include <cstdint>
#include <initializer_list>

// A set of the 256 byte values, one bit each.
class TCharSet {
public:
    TCharSet() = default;
    TCharSet(std::initializer_list<std::uint8_t> members) {
        for (auto m : members)
            bits_.set(m);
    }

    bool Contains(char c) const { return bits_.test(static_cast<std::uint8_t>(c)); }
    bool Contains(std::uint8_t b) const { return bits_.test(b); }
    void Include(std::uint8_t b) { bits_.set(b); }
    void Exclude(std::uint8_t b) { bits_.reset(b); }
    bool Empty() const { return bits_.none(); }
    int Size() const { return static_cast<int>(bits_.count()); }
    // Lowest-valued member; the set must not be empty.
    std::uint8_t Lowest() const {
        for (int b = 0; b < 256; ++b)
            if (bits_.test(b))
                return static_cast<std::uint8_t>(b);
        return 0;
    }
    bool operator==(const TCharSet&) const = default;

private:
    std::bitset<256> bits_;
};

// Tab and blank: what separates words.
inline const TCharSet BlankSet{9, 32};
// Stripped from both ends before a text is put into a match-type form.
inline const TCharSet MatchTypeTrimSet{9, 32, 34, 39, 91, 93};
// Where recombining cuts phrases into words.
inline const TCharSet RecombineSeparators{9, 32, 46};
