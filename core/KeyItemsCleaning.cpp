#include "CheckpointTrail.h"
#include "KeyItems.h"
#include "RewriteEntries.h"

#include <array>

namespace {

using TByteFlags = std::array<bool, 256>;

TByteFlags FlagsOf(const TCharSet& chars) {
    TByteFlags flags{};
    for (int b = 0; b < 256; ++b)
        flags[b] = chars.Contains(static_cast<std::uint8_t>(b));
    return flags;
}

bool In(const TByteFlags& flags, char c) {
    return flags[static_cast<std::uint8_t>(c)];
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

void TKeyItems::CollapseSpaces() {
    CheckpointScope checkpoint("d072");
    RewriteEntriesInPlace(*this, [](std::string_view text, char* out) {
        // Few texts have a run of blanks; looking for one is much cheaper than rewriting.
        bool run = false;
        for (std::size_t i = 1; i < text.size(); ++i)
            run |= IsBlank(text[i]) & IsBlank(text[i - 1]);
        if (!run)
            return TextUnchanged;
        std::size_t w = 0;
        bool previousBlank = false;
        for (char c : text) {
            const bool blank = IsBlank(c);
            out[w] = c;
            w += !(previousBlank && blank);
            previousBlank = blank;
        }
        return w;
    });
}

void TKeyItems::CollapseRepeats() {
    CheckpointScope checkpoint("d075");
    RewriteEntriesInPlace(*this, [](std::string_view text, char* out) {
        bool repeat = false;
        for (std::size_t i = 1; i < text.size(); ++i)
            repeat |= text[i] == text[i - 1];
        if (!repeat)
            return TextUnchanged;
        std::size_t w = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            out[w] = text[i];
            w += i == 0 || text[i] != text[i - 1];
        }
        return w;
    });
}

void TKeyItems::RemoveChars(const TCharSet& chars) {
    CheckpointScope checkpoint("d081");
    const TByteFlags remove = FlagsOf(chars);
    RewriteEntriesInPlace(*this, [&](std::string_view text, char* out) {
        std::size_t w = 0;
        for (char c : text) {
            out[w] = c;
            w += !In(remove, c);
        }
        return w;
    });
}

void TKeyItems::TrimChars(const TCharSet& chars) {
    CheckpointScope checkpoint("d084");
    const TByteFlags trim = FlagsOf(chars);
    RewriteEntries(*this, [&](std::string_view text, std::string& out) {
        std::size_t first = 0;
        std::size_t last = text.size();
        while (first < last && In(trim, text[first]))
            ++first;
        while (last > first && In(trim, text[last - 1]))
            --last;
        out.assign(text.substr(first, last - first));
    });
}
