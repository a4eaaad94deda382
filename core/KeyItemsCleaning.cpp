#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/RewriteEntries.h"
#include "core/Simd16.h"
#include "core/Utf8.h"
#include "core/WordRules.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The scans below keep unsigned accumulators and no early exit so that the compiler vectorizes them.

const std::uint8_t* Bytes(std::string_view text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

unsigned Blank(std::uint8_t b) {
    return static_cast<unsigned>(b == ' ') | static_cast<unsigned>(b == '\t');
}

// Whether two neighbouring ASCII characters are both blanks; asciiOnly tells whether the text is all
// ASCII, so that this answer is the whole answer. Few texts have a run of blanks: looking for one is much
// cheaper than rewriting.
// Whether two neighbouring bytes make a pair, and whether every byte is below 0x80, in one branch-free
// pass: most texts have no pair, and the scan is all a rewrite costs them.
template <class TPair> bool HasBytePair(std::string_view text, bool& asciiOnly, TPair pair) {
    const std::uint8_t* t = Bytes(text);
    unsigned found = 0;
    unsigned high = text.empty() ? 0 : t[0];
    for (std::size_t i = 1; i < text.size(); ++i) {
        found |= static_cast<unsigned>(pair(t[i - 1], t[i]));
        high |= t[i];
    }
    asciiOnly = high < 0x80;
    return found != 0;
}

bool MayHoldWideBlank(std::string_view text) {
    const std::uint8_t* t = Bytes(text);
    unsigned may = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        may |= static_cast<unsigned>(MayStartWideBlank(t[i]));
    return may != 0;
}

// HasBytePair for two blanks, and whether the text may hold a blank beyond ASCII (MayHoldWideBlank); a text
// of up to 64 bytes, as keyword phrases nearly all are, in four overlapping loads of sixteen bytes without a
// loop.
bool HasBlankPair(std::string_view text, bool& asciiOnly, bool& mayHoldWide) {
#ifdef __SSE2__
    if (!text.empty() && text.size() <= 64) {
        const Simd16::TChunks<4, std::uint64_t> chunks(Bytes(text), text.size());
        const __m128i space = _mm_set1_epi8(' ');
        const __m128i tab = _mm_set1_epi8('\t');
        const std::uint64_t blanks = chunks.Of([&](__m128i chunk) {
            return Simd16::Bits(_mm_or_si128(_mm_cmpeq_epi8(chunk, space), _mm_cmpeq_epi8(chunk, tab)));
        });
        asciiOnly = chunks.Of([](__m128i chunk) { return Simd16::Bits(chunk); }) == 0;
        // C2, or E1 to E3: as signed bytes, -62, or -31 to -29.
        const __m128i c2 = _mm_set1_epi8(static_cast<char>(0xC2));
        const __m128i belowE1 = _mm_set1_epi8(-32);
        const __m128i aboveE3 = _mm_set1_epi8(-28);
        mayHoldWide = chunks.Of([&](__m128i chunk) {
            return Simd16::Bits(
                _mm_or_si128(_mm_cmpeq_epi8(chunk, c2),
                             _mm_and_si128(_mm_cmpgt_epi8(chunk, belowE1), _mm_cmplt_epi8(chunk, aboveE3))));
        }) != 0;
        return (blanks & (blanks >> 1)) != 0;
    }
#endif
    mayHoldWide = MayHoldWideBlank(text);
    return HasBytePair(text, asciiOnly, [](std::uint8_t a, std::uint8_t b) { return Blank(a) & Blank(b); });
}

bool HasBlankRun(std::string_view text) {
    bool previousBlank = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t blank = BlankLength(text, i);
        if (previousBlank && blank > 0)
            return true;
        previousBlank = blank > 0;
        i += blank > 0 ? blank : 1;
    }
    return false;
}

std::size_t CollapseAsciiBlanks(std::string_view text, char* out) {
    std::size_t w = 0;
    bool previousBlank = false;
    for (char c : text) {
        const bool blank = IsBlank(c);
        out[w] = c;
        w += !(previousBlank && blank);
        previousBlank = blank;
    }
    return w;
}

// Bytes that start no blank are copied one by one: a character's later bytes never start one.
std::size_t CollapseBlanks(std::string_view text, char* out) {
    std::size_t w = 0;
    bool previousBlank = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t blank = BlankLength(text, i);
        const std::size_t length = blank > 0 ? blank : 1;
        if (!(previousBlank && blank > 0)) {
            std::memcpy(out + w, text.data() + i, length);
            w += length;
        }
        previousBlank = blank > 0;
        i += length;
    }
    return w;
}

// Two equal characters of n bytes side by side repeat the same n bytes; texts without such a period of 1 to
// 4 bytes need no closer look.
bool MayRepeat(std::string_view text) {
    const std::uint8_t* t = Bytes(text);
    unsigned may = 0;
    for (std::size_t i = 1; i < text.size(); ++i)
        may |= static_cast<unsigned>(t[i] == t[i - 1]);
    for (std::size_t i = 3; i < text.size(); ++i)
        may |= static_cast<unsigned>(t[i] == t[i - 2]) & static_cast<unsigned>(t[i - 1] == t[i - 3]);
    for (std::size_t i = 5; i < text.size(); ++i)
        may |= static_cast<unsigned>(t[i] == t[i - 3]) & static_cast<unsigned>(t[i - 1] == t[i - 4]) &
               static_cast<unsigned>(t[i - 2] == t[i - 5]);
    for (std::size_t i = 7; i < text.size(); ++i)
        may |= static_cast<unsigned>(t[i] == t[i - 4]) & static_cast<unsigned>(t[i - 1] == t[i - 5]) &
               static_cast<unsigned>(t[i - 2] == t[i - 6]) & static_cast<unsigned>(t[i - 3] == t[i - 7]);
    return may != 0;
}

std::size_t CollapseAsciiRepeats(std::string_view text, char* out) {
    std::size_t w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out[w] = text[i];
        w += i == 0 || text[i] != text[i - 1];
    }
    return w;
}

// The character at text[i] as its bytes packed into one number (a malformed byte is a character of its
// own), so that equal characters are equal numbers; i moves past it.
std::uint32_t NextPacked(std::string_view text, std::size_t& i) {
    const std::size_t n = std::max<std::size_t>(Utf8::SequenceLength(text, i), 1);
    std::uint32_t packed = 0;
    for (std::size_t k = 0; k < n; ++k)
        packed = packed << 8 | static_cast<std::uint8_t>(text[i + k]);
    i += n;
    return packed;
}

bool HasRepeat(std::string_view text) {
    std::uint32_t previous = 0xFFFFFFFF;
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t packed = NextPacked(text, i);
        if (packed == previous)
            return true;
        previous = packed;
    }
    return false;
}

std::size_t CollapseRepeatedChars(std::string_view text, char* out) {
    std::size_t w = 0;
    std::uint32_t previous = 0xFFFFFFFF;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const std::uint32_t packed = NextPacked(text, i);
        if (packed != previous) {
            std::memcpy(out + w, text.data() + start, i - start);
            w += i - start;
        }
        previous = packed;
    }
    return w;
}

// Copies text to out without the characters that drop says to leave out; returns the bytes written.
template <class TDrop> std::size_t CopyKept(std::string_view text, char* out, TDrop&& drop) {
    std::size_t w = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t next = i;
        const char32_t c = Utf8::Next(text, next);
        if (!drop(c)) {
            std::memcpy(out + w, text.data() + i, next - i);
            w += next - i;
        }
        i = next;
    }
    return w;
}

} // namespace

void TKeyItems::CollapseSpaces() {
    CheckpointScope checkpoint("d072");
    RewriteEntriesInPlace(*this, [](std::string_view text, char* out) {
        bool asciiOnly = true;
        bool mayHoldWide = true;
        const bool asciiRun = HasBlankPair(text, asciiOnly, mayHoldWide);
        if (asciiOnly)
            return asciiRun ? CollapseAsciiBlanks(text, out) : TextUnchanged;
        if (asciiRun || (mayHoldWide && HasBlankRun(text)))
            return CollapseBlanks(text, out);
        return TextUnchanged;
    });
}

void TKeyItems::CollapseRepeats() {
    CheckpointScope checkpoint("d075");
    RewriteEntriesInPlace(*this, [](std::string_view text, char* out) {
        bool asciiOnly = true;
        const bool asciiRepeat =
            HasBytePair(text, asciiOnly, [](std::uint8_t a, std::uint8_t b) { return a == b; });
        if (asciiOnly)
            return asciiRepeat ? CollapseAsciiRepeats(text, out) : TextUnchanged;
        if (MayRepeat(text) && HasRepeat(text))
            return CollapseRepeatedChars(text, out);
        return TextUnchanged;
    });
}

void TKeyItems::RemoveChars(const TCharSet& chars) {
    CheckpointScope checkpoint("d081");
    if (!chars.AsciiOnly()) {
        RewriteEntriesInPlace(*this, [&](std::string_view text, char* out) {
            return CopyKept(text, out, [&](char32_t c) { return chars.Contains(c); });
        });
        return;
    }
    // Without members beyond ASCII no byte from 0x80 up is removed: a byte table does it all.
    std::array<bool, 256> remove{};
    for (int b = 0; b < 0x80; ++b)
        remove[b] = chars.Contains(static_cast<char32_t>(b));
    RewriteEntriesInPlace(*this, [&](std::string_view text, char* out) {
        std::size_t w = 0;
        for (char c : text) {
            out[w] = c;
            w += !remove[static_cast<std::uint8_t>(c)];
        }
        return w;
    });
}

void TKeyItems::TrimChars(const TCharSet& chars) {
    CheckpointScope checkpoint("d084");
    RewriteEntries(*this,
                   [&](std::string_view text, std::string& out) { out.assign(TrimmedBy(text, chars)); });
}
