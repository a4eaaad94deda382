#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/MemoryBudget.h"
#include "core/Progress.h"
#include "core/WordRules.h"

namespace {

// Non-overlapping occurrences, counted left to right as replace-all finds them.
std::uint64_t CountOccurrences(std::string_view text, std::string_view pattern) {
    std::uint64_t count = 0;
    for (std::size_t at = text.find(pattern); at != std::string_view::npos;
         at = text.find(pattern, at + pattern.size()))
        ++count;
    return count;
}

} // namespace

void TKeyItems::ReplaceAndDuplicate(std::string_view find, std::string_view replacement,
                                    std::size_t memoryBudget) {
    CheckpointScope checkpoint("d110");
    const int count = Count();
    // An empty find text finds nothing, and a replacement equal to it changes no text: no copies either way.
    if (find.empty() || find == replacement)
        return;
    TGrowth growth;
    for (int i = 0; i < count; ++i) {
        const std::string_view text = GetKeyItem(i).Text();
        const std::uint64_t found = CountOccurrences(text, find);
        if (found > 0)
            growth.AddEntries(1, text.size() + found * replacement.size() - found * find.size());
    }
    growth.Check(count, memoryBudget);
    const TFillAhead filling =
        ReserveToFill(static_cast<std::size_t>(growth.Entries()), static_cast<std::size_t>(growth.Bytes()));
    ProgressBegin(static_cast<std::size_t>(count));
    TProgressSteps steps;
    for (int i = 0; i < count; ++i) {
        steps.Element();
        const std::string_view text = GetKeyItem(i).Text();
        if (text.find(find) != std::string_view::npos)
            AddKeyword(ReplaceAll(text, find, replacement));
    }
}

void TKeyItems::AddMatchTypeCopies(std::uint8_t matchType, std::size_t memoryBudget) {
    CheckpointScope checkpoint("d126");
    const int count = Count();
    TGrowth growth;
    // At most two added characters each; the trimmed ends only make copies shorter.
    growth.AddEntries(static_cast<std::uint64_t>(count), 2);
    growth.AddBytes(TextBytes());
    growth.Check(count, memoryBudget);
    const TFillAhead filling =
        ReserveToFill(static_cast<std::size_t>(count), static_cast<std::size_t>(growth.Bytes()));
    ProgressBegin(static_cast<std::size_t>(count));
    TProgressSteps steps;
    for (int i = 0; i < count; ++i) {
        steps.Element();
        AddKeyword(WrapMatchType(GetKeyItem(i).Text(), matchType));
    }
    SetCheckpoint("d127");
    RemoveDuplicates();
}
