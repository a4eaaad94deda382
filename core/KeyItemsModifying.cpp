#include "CheckpointTrail.h"
#include "CodePage.h"
#include "KeyItems.h"
#include "MemoryBudget.h"
#include "RewriteEntries.h"
#include "WordRules.h"

#include <array>

namespace {

// Puts text before or after every entry, in place or as new entries at the end.
void AddToEach(TKeyItems& list, std::string_view text, bool atStart, bool asNew, std::size_t memoryBudget) {
    // An own copy: text may be a text of this very list, which the rewrite overwrites.
    const std::string added(text);
    const auto combine = [&](std::string_view entry, std::string& out) {
        if (atStart)
            out.append(added).append(entry);
        else
            out.append(entry).append(added);
    };
    const int count = list.Count();
    TGrowth growth;
    if (asNew)
        growth.AddEntries(static_cast<std::uint64_t>(count), added.size());
    else
        growth.AddBytes(SaturatingMultiply(static_cast<std::uint64_t>(count), added.size()));
    growth.AddBytes(list.TextBytes());
    growth.Check(count, memoryBudget);
    if (!asNew) {
        RewriteEntries(list, combine);
        return;
    }
    list.Reserve(static_cast<std::size_t>(count), static_cast<std::size_t>(growth.Bytes()));
    std::string out;
    for (int i = 0; i < count; ++i) {
        out.clear();
        combine(list.GetKeyItem(i).Text(), out);
        list.AddKeyword(out);
    }
}

void MapBytes(TKeyItems& list, const std::array<std::uint8_t, 256>& table) {
    RewriteEntriesInPlace(list, [&](std::string_view text, char* out) {
        for (std::size_t i = 0; i < text.size(); ++i)
            out[i] = static_cast<char>(table[static_cast<std::uint8_t>(text[i])]);
        return text.size();
    });
}

} // namespace

void TKeyItems::PrependText(std::string_view text, bool asNew, std::size_t memoryBudget) {
    CheckpointScope checkpoint("d088");
    AddToEach(*this, text, true, asNew, memoryBudget);
}

void TKeyItems::AppendText(std::string_view text, bool asNew, std::size_t memoryBudget) {
    CheckpointScope checkpoint("d087");
    AddToEach(*this, text, false, asNew, memoryBudget);
}

void TKeyItems::ToLowerCase() {
    CheckpointScope checkpoint("d096");
    MapBytes(*this, ActiveCodePage().Lower);
}

void TKeyItems::ToUpperCase() {
    CheckpointScope checkpoint("d097");
    MapBytes(*this, ActiveCodePage().Upper);
}

void TKeyItems::CapitalizeWords() {
    CheckpointScope checkpoint("d095");
    // Row 1 for a character at the start of a word, row 0 inside one: lookups instead of branches.
    std::array<std::array<char, 256>, 2> cased{};
    std::array<bool, 256> blank{};
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<char>(b);
        cased[0][b] = AsciiLower(c);
        cased[1][b] = AsciiUpper(c);
        blank[b] = c == ' ' || c == '\t';
    }
    RewriteEntriesInPlace(*this, [&](std::string_view text, char* out) {
        bool wordStart = true;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<std::uint8_t>(text[i]);
            out[i] = cased[wordStart][b];
            wordStart = blank[b];
        }
        return text.size();
    });
}

void TKeyItems::ReplaceText(std::string_view find, std::string_view replacement) {
    CheckpointScope checkpoint("d105");
    if (find.empty())
        return;
    // Own copies: the arguments may be texts of this very list, which the rewrite overwrites.
    const std::string from(find);
    const std::string to(replacement);
    RewriteEntries(*this, [&](std::string_view text, std::string& out) {
        if (text.find(from) == std::string_view::npos)
            out.assign(text);
        else
            out = ReplaceAll(text, from, to);
    });
}

void TKeyItems::SetMatchType(std::uint8_t matchType) {
    CheckpointScope checkpoint("d123");
    RewriteEntries(*this,
                   [&](std::string_view text, std::string& out) { out = WrapMatchType(text, matchType); });
}
