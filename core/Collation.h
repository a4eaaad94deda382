#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The locale's collation of keyword texts, ignoring case, as byte keys: comparing two keys byte by byte
// orders the texts, and two keys are equal exactly when the folded texts are. A key has three levels: the
// primary weights of the characters (base letters; ICU's collator for the locale ranks them), their
// secondary weights (accents), then the folded text itself, so that the order is total and agrees with
// case-insensitive equality. Key bytes are never 0 inside a key, so 0 can stand for "ended".
class TCollation {
public:
    explicit TCollation(const std::string& locale);

    // The collation of the text locale, made on first use.
    static const TCollation& Current();

    void AppendKey(std::string_view text, std::string& out) const;
    // Key bytes [from, from + count) of the text, 0 past the key's end.
    void KeyBytes(std::string_view text, std::size_t from, std::uint8_t* out, std::size_t count) const;
    int Compare(std::string_view a, std::string_view b) const;

private:
    // Up to three bytes of primary weight; length 0 for a character that has none (a combining mark).
    struct TPrimary {
        std::uint8_t Length = 0;
        std::array<std::uint8_t, 3> Bytes{};
    };

    void AppendPrimary(char32_t folded, std::string& out) const;
    std::uint8_t Secondary(char32_t folded) const {
        return folded < secondary_.size() ? secondary_[folded] : std::uint8_t{2};
    }

    std::vector<TPrimary> primary_;
    std::vector<std::uint8_t> secondary_;
    // For ASCII: the one-byte primary and the secondary of each folded byte.
    std::array<std::uint8_t, 128> asciiPrimary_{};
    std::array<std::uint8_t, 128> asciiSecondary_{};
};

// Negative, zero or positive, as the text locale's collation orders a and b ignoring case.
int CompareText(std::string_view a, std::string_view b);
