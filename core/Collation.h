#pragma once

#include "core/CaseFolding.h"

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

    // The whole key, or at least its first limit bytes.
    void AppendKey(std::string_view text, std::string& out, std::size_t limit = std::string::npos) const;
    // Key bytes [from, from + count) of the text, 0 past the key's end. Inline for ASCII: the sort asks for
    // them several times per entry.
    void KeyBytes(std::string_view text, std::size_t from, std::uint8_t* out, std::size_t count) const {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
        // Most windows lie in the primary level of an ASCII start: one byte per character. A start that is
        // not ASCII is a text that is not, which then needs no second look.
        const bool withinText = from + count <= text.size();
        const bool asciiStart = withinText && FoldsAsAscii(text.substr(0, from + count));
        if (asciiStart) {
            for (std::size_t k = 0; k < count; ++k)
                out[k] = asciiPrimary_[bytes[from + k]];
            return;
        }
        if (withinText || !FoldsAsAscii(text)) {
            if (!ShortKeyBytes(text, from, out, count))
                AnyKeyBytes(text, from, out, count);
            return;
        }
        // One byte per character on each level: n primaries, a separator, n secondaries, a separator, then
        // the n folded bytes raised by one; each level copied in one tight loop.
        const std::size_t n = text.size();
        std::size_t at = from;
        std::size_t k = 0;
        for (; k < count && at < n; ++k, ++at)
            out[k] = asciiPrimary_[bytes[at]];
        if (k < count && at == n)
            out[k++] = LevelSeparator, ++at;
        for (; k < count && at <= 2 * n; ++k, ++at)
            out[k] = asciiSecondary_[bytes[at - n - 1]];
        if (k < count && at == 2 * n + 1)
            out[k++] = LevelSeparator, ++at;
        for (; k < count && at < 3 * n + 2; ++k, ++at)
            out[k] = static_cast<std::uint8_t>(FoldAsciiByte(static_cast<char>(bytes[at - 2 * n - 2])) + 1);
        for (; k < count; ++k)
            out[k] = 0;
    }
    int Compare(std::string_view a, std::string_view b) const;

private:
    static constexpr std::uint8_t LevelSeparator = 1;

    // KeyBytes of a text of characters below U+0800 that weigh one byte each, as the letters of the locale
    // and of the scripts most often mixed in do: one table lookup per character. Whether the text was such.
    bool ShortKeyBytes(std::string_view text, std::size_t from, std::uint8_t* out, std::size_t count) const {
        const std::size_t end = from + count;
        std::array<std::uint16_t, KeptChars> chars;
        std::size_t n = 0;
        // Held here: the stores to out may alias the table's pointer, which would be read again each time.
        const std::uint8_t* const primaries = onePrimary_.data();
        for (std::size_t i = 0; n < end && i < text.size(); ++n) {
            const char32_t c = NextShort(text, i);
            if (c == ShortEnd)
                return false;
            const std::uint8_t primary = primaries[c];
            if (primary == 0)
                return false;
            if (n >= from)
                out[n - from] = primary;
            if (n < KeptChars)
                chars[n] = static_cast<std::uint16_t>(c);
        }
        return n == end || ShortKeyTail(chars.data(), n, from, out, count);
    }
    // The characters a short text's levels after the primary one are written from, where the window
    // reaches them.
    static constexpr std::size_t KeptChars = 64;
    // ShortKeyBytes for a window beyond the primary level of the n characters.
    bool ShortKeyTail(const std::uint16_t* chars, std::size_t n, std::size_t from, std::uint8_t* out,
                      std::size_t count) const;
    void AnyKeyBytes(std::string_view text, std::size_t from, std::uint8_t* out, std::size_t count) const;
    // Writes the key, or at least its first limit bytes, to out, which has KeyRoom(text) bytes; its length.
    std::size_t WriteKey(std::string_view text, std::uint8_t* out, std::size_t limit) const;
    // Four bytes of primary weight, one of secondary and four of folded text a character at most.
    static std::size_t KeyRoom(std::string_view text) { return 9 * text.size() + 2; }

    // Up to three bytes of primary weight; length 0 for a character that has none (a combining mark).
    struct TPrimary {
        std::uint8_t Length = 0;
        std::array<std::uint8_t, 3> Bytes{};
    };

    // Writes the primary weight of a folded character; returns the end of what it wrote.
    std::uint8_t* WritePrimary(char32_t folded, std::uint8_t* out) const;
    std::uint8_t Secondary(char32_t folded) const {
        return folded < secondary_.size() ? secondary_[folded] : std::uint8_t{2};
    }

    // All of a key that one character below U+0800 makes, looked up at once: most keyword texts are made of
    // such characters only. Folded.Length 0 marks one to take the general way (it folds beyond U+07FF).
    struct TShortChar {
        TPrimary Primary;
        std::uint8_t Secondary = 2;
        std::uint8_t FoldedLength = 0;
        std::array<std::uint8_t, 2> Folded{};
    };
    static constexpr char32_t ShortEnd = 0x800;

    // The next character at text[i] if it is short and well formed; i moves past it. Else ShortEnd, and i
    // stays.
    [[gnu::always_inline]] static char32_t NextShort(std::string_view text, std::size_t& i) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) {
            ++i;
            return lead;
        }
        if (lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size()) {
            const auto tail = static_cast<std::uint8_t>(text[i + 1]);
            if ((tail & 0xC0) == 0x80) {
                i += 2;
                return (char32_t{lead & 0x1Fu} << 6) | (tail & 0x3Fu);
            }
        }
        return ShortEnd;
    }

    std::vector<TPrimary> primary_;
    std::vector<std::uint8_t> secondary_;
    std::vector<TShortChar> short_;
    // The primary weight of a character below U+0800 that folds below it and weighs one byte; else 0.
    std::vector<std::uint8_t> onePrimary_;
    // For ASCII: the one-byte primary and the secondary of each folded byte.
    std::array<std::uint8_t, 128> asciiPrimary_{};
    std::array<std::uint8_t, 128> asciiSecondary_{};
};

// Negative, zero or positive, as the text locale's collation orders a and b ignoring case.
int CompareText(std::string_view a, std::string_view b);
