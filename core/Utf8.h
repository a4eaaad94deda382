#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Keyword texts are UTF-8. These are the few primitives every text rule is built on; a byte that does not
// start a well-formed sequence reads as one U+FFFD, so no rule ever loops or reads past a text's end.
namespace Utf8 {

constexpr char32_t Replacement = 0xFFFD;
constexpr char32_t MaxChar = 0x10FFFF;

// Whether every byte is below 0x80: the fast paths of the text rules apply.
inline bool IsAscii(std::string_view text) {
    const char* const p = text.data();
    const std::size_t n = text.size();
    const auto word = [p](std::size_t at) {
        std::uint64_t w;
        std::memcpy(&w, p + at, 8);
        return w;
    };
    std::uint64_t any = 0;
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 <= n; i += 8)
            any |= word(i);
        // The last bytes as the last eight, overlapping what went before: no loop whose length varies.
        any |= word(n - 8);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            any |= static_cast<std::uint8_t>(p[i]);
    }
    return (any & 0x8080808080808080ull) == 0;
}

// Length of a well-formed sequence starting at text[i] (1 to 4), or 0 when there is none: a stray
// continuation byte, a truncated sequence, an overlong form, a surrogate or a value above U+10FFFF.
inline std::size_t SequenceLength(std::string_view text, std::size_t i) {
    const auto b0 = static_cast<std::uint8_t>(text[i]);
    if (b0 < 0x80)
        return 1;
    const std::size_t left = text.size() - i;
    const auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(text[i + k]); };
    const auto tail = [&](std::size_t k) { return (at(k) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF)
        return left >= 2 && tail(1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !tail(1) || !tail(2))
            return 0;
        if ((b0 == 0xE0 && at(1) < 0xA0) || (b0 == 0xED && at(1) >= 0xA0))
            return 0;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !tail(1) || !tail(2) || !tail(3))
            return 0;
        if ((b0 == 0xF0 && at(1) < 0x90) || (b0 == 0xF4 && at(1) >= 0x90))
            return 0;
        return 4;
    }
    return 0;
}

// The character at text[i]; i moves past it (one byte for a malformed sequence, which reads as U+FFFD).
inline char32_t Next(std::string_view text, std::size_t& i) {
    const std::size_t n = SequenceLength(text, i);
    const auto b = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<std::uint8_t>(text[i + k]));
    };
    char32_t c;
    switch (n) {
    case 1:
        c = b(0);
        break;
    case 2:
        c = ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
        break;
    case 3:
        c = ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
        break;
    case 4:
        c = ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
        break;
    default:
        ++i;
        return Replacement;
    }
    i += n;
    return c;
}

// The start of the character that ends just before text[i] (i > 0).
inline std::size_t PreviousStart(std::string_view text, std::size_t i) {
    std::size_t start = i - 1;
    while (start > 0 && i - start < 4 && (static_cast<std::uint8_t>(text[start]) & 0xC0) == 0x80)
        --start;
    return SequenceLength(text, start) == i - start ? start : i - 1;
}

// Writes c at out (room for 4 bytes); returns how many bytes it took.
inline std::size_t Write(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

inline void Append(char32_t c, std::string& out) {
    char bytes[4];
    out.append(bytes, Write(c, bytes));
}

inline bool IsValid(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = SequenceLength(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

// Characters (code points), a malformed byte counting as one.
inline std::size_t CountChars(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count)
        Next(text, i);
    return count;
}

// The longest start of text with at most maxBytes bytes that does not cut a character.
inline std::string_view CutAtChar(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<std::uint8_t>(text[end]) & 0xC0) == 0x80 && maxBytes - end < 3)
        --end;
    return text.substr(0, end);
}

} // namespace Utf8

// What separates words: tab and blank, and the Unicode white space beyond ASCII (no-break space, the
// typographic spaces, the ideographic space...). Other ASCII control characters stay word characters.
bool IsWordBlank(char32_t c);
