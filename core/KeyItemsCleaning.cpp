#include "CheckpointTrail.h"
#include "KeyItems.h"
#include "RewriteEntries.h"
#include "Utf8.h"
#include "WordRules.h"

#include <array>
#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Few texts have a run of blanks; looking for one is much cheaper than rewriting. Blanks beyond ASCII are
// decoded only in texts holding a byte that may start one.
bool HasBlankRun(std::string_view text) {
    if (text.empty())
        return false;
    bool run = false;
    bool mayBeWide = MayStartWideBlank(static_cast<std::uint8_t>(text[0]));
    for (std::size_t i = 1; i < text.size(); ++i) {
        run |= IsBlank(text[i]) & IsBlank(text[i - 1]);
        mayBeWide |= MayStartWideBlank(static_cast<std::uint8_t>(text[i]));
    }
    if (run || !mayBeWide)
        return run;
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

// Bytes of the character at text[i]; a malformed byte is a character of its own.
std::size_t CharLength(std::string_view text, std::size_t i) {
    const std::size_t n = Utf8::SequenceLength(text, i);
    return n > 0 ? n : 1;
}

bool SameChars(std::string_view text, std::size_t a, std::size_t aLength, std::size_t b,
               std::size_t bLength) {
    return aLength == bLength && std::memcmp(text.data() + a, text.data() + b, aLength) == 0;
}

// Equal neighbours among ASCII characters show as equal neighbouring bytes; beyond ASCII whole characters
// are compared.
bool HasRepeat(std::string_view text) {
    if (text.empty())
        return false;
    bool repeat = false;
    auto high = static_cast<std::uint8_t>(text[0]);
    for (std::size_t i = 1; i < text.size(); ++i) {
        repeat |= text[i] == text[i - 1];
        high |= static_cast<std::uint8_t>(text[i]);
    }
    if (high < 0x80)
        return repeat;
    std::size_t previous = 0;
    std::size_t previousLength = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharLength(text, i);
        if (SameChars(text, previous, previousLength, i, length))
            return true;
        previous = i;
        previousLength = length;
        i += length;
    }
    return false;
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
        if (!HasBlankRun(text))
            return TextUnchanged;
        std::size_t w = 0;
        bool previousBlank = false;
        for (std::size_t i = 0; i < text.size();) {
            const auto b = static_cast<std::uint8_t>(text[i]);
            if (b < 0x80) {
                const bool blank = IsBlank(text[i]);
                out[w] = text[i];
                w += !(previousBlank && blank);
                previousBlank = blank;
                ++i;
                continue;
            }
            // Bytes that start no blank are copied one by one: a character's later bytes never do.
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
    });
}

void TKeyItems::CollapseRepeats() {
    CheckpointScope checkpoint("d075");
    RewriteEntriesInPlace(*this, [](std::string_view text, char* out) {
        if (!HasRepeat(text))
            return TextUnchanged;
        std::size_t w = 0;
        std::size_t previous = 0;
        std::size_t previousLength = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t length = CharLength(text, i);
            if (!SameChars(text, previous, previousLength, i, length)) {
                std::memcpy(out + w, text.data() + i, length);
                w += length;
            }
            previous = i;
            previousLength = length;
            i += length;
        }
        return w;
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
