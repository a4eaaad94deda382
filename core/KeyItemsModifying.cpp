#include "core/CaseMapping.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/MemoryBudget.h"
#include "core/RewriteEntries.h"
#include "core/WordRules.h"

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
    const TFillAhead filling =
        list.ReserveToFill(static_cast<std::size_t>(count), static_cast<std::size_t>(growth.Bytes()));
    std::string out;
    for (int i = 0; i < count; ++i) {
        out.clear();
        combine(list.GetKeyItem(i).Text(), out);
        list.AddKeyword(out);
    }
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
    RewriteEntriesAnyLength(*this,
                            [](std::string_view text, std::string& out) { AppendLowerCase(text, out); });
}

void TKeyItems::ToUpperCase() {
    CheckpointScope checkpoint("d097");
    RewriteEntriesAnyLength(*this,
                            [](std::string_view text, std::string& out) { AppendUpperCase(text, out); });
}

void TKeyItems::CapitalizeWords() {
    CheckpointScope checkpoint("d095");
    RewriteEntriesAnyLength(
        *this, [](std::string_view text, std::string& out) { AppendCapitalizedWords(text, out); });
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
