#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

// Open-addressing set of entry indices keyed by the folded text: finds the first entry of each group of
// case-insensitive duplicates in one pass, in list order. It reads the texts where the entries keep them.
// A list can be split into parts by hash, each part with a set of its own: equal texts fall into one part.
class TFirstOccurrences {
public:
    TFirstOccurrences(const TKeyItemStore& items, unsigned part, unsigned parts)
        : items_(items), part_(part), parts_(parts),
          slots_(std::bit_ceil(items.size() * 3 / (2 * parts) + 16), Empty), mask_(slots_.size() - 1) {}

    // The index of every entry of the part whose folded text an earlier entry has, ascending. On a
    // large list nearly every look into the table, at the entry it names and at that entry's text misses the
    // cache, so each of the three is asked for some entries ahead: the misses overlap instead of following
    // one another.
    TLargeVector<std::int32_t> LaterOnes() {
        TLargeVector<std::int32_t> later;
        std::size_t pushed = 0;
        std::size_t done = 0;
        TProgressSteps steps;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            steps.Element();
            const std::uint64_t hash = Hash(items_[i].Text());
            if (HashPart(hash, parts_) != part_)
                continue;
            __builtin_prefetch(&slots_[hash & mask_]);
            ring_[pushed++ % Ring] = {static_cast<std::uint32_t>(i), hash};
            if (pushed > Stage)
                FetchOccupant(ring_[(pushed - 1 - Stage) % Ring].Hash, false);
            if (pushed > 2 * Stage)
                FetchOccupant(ring_[(pushed - 1 - 2 * Stage) % Ring].Hash, true);
            if (pushed > 3 * Stage)
                Visit(ring_[done++ % Ring], later);
        }
        while (done < pushed)
            Visit(ring_[done++ % Ring], later);
        return later;
    }

private:
    struct TPending {
        std::uint32_t Index;
        std::uint64_t Hash;
    };

    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    static constexpr std::size_t Stage = 8;
    static constexpr std::size_t Ring = 4 * Stage;

    void Visit(const TPending& entry, TLargeVector<std::int32_t>& later) {
        if (SeenBefore(entry.Index, entry.Hash))
            later.push_back(static_cast<std::int32_t>(entry.Index));
    }

    // The entry that holds the first slot already, or its text.
    void FetchOccupant(std::uint64_t hash, bool text) const {
        const std::uint32_t occupant = slots_[hash & mask_];
        if (occupant == Empty)
            return;
        if (text)
            __builtin_prefetch(items_[occupant].Text().data());
        else
            __builtin_prefetch(&items_[occupant]);
    }

    bool SeenBefore(std::uint32_t index, std::uint64_t hash) {
        const std::string_view text = items_[index].Text();
        for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
            if (slots_[slot] == Empty) {
                slots_[slot] = index;
                if (++occupied_ > slots_.size() / 4 * 3)
                    Grow();
                return false;
            }
            if (SameText(items_[slots_[slot]].Text(), text))
                return true;
        }
    }

    // The table is sized for half the list in each part, which hashes give; a list made to put more into
    // one part makes the table grow instead of filling up.
    void Grow() {
        TLargeVector<std::uint32_t> old(slots_.size() * 2, Empty);
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        for (const std::uint32_t occupant : old) {
            if (occupant == Empty)
                continue;
            std::size_t slot = Hash(items_[occupant].Text()) & mask_;
            while (slots_[slot] != Empty)
                slot = (slot + 1) & mask_;
            slots_[slot] = occupant;
        }
    }

    static std::uint64_t Hash(std::string_view text) { return FoldedHash(text); }

    const TKeyItemStore& items_;
    unsigned part_;
    unsigned parts_;
    TLargeVector<std::uint32_t> slots_;
    std::size_t mask_;
    std::size_t occupied_ = 0;
    std::array<TPending, Ring> ring_{};
};

} // namespace

int TKeyItems::RemoveDuplicates() {
    CheckpointScope checkpoint("d026");
    Highlighted.Clear();
    // The first entry of each group stays. Each part goes through the whole list.
    ProgressBegin(items_.size() * PartsFor(items_.size()));
    {
        std::array<TLargeVector<std::int32_t>, 2> later;
        InParts(items_.size(), [&](unsigned part, unsigned count) {
            later[part] = TFirstOccurrences(items_, part, count).LaterOnes();
        });
        Highlighted.SetCapacity(static_cast<int>(later[0].size() + later[1].size()));
        auto a = later[0].begin();
        auto b = later[1].begin();
        while (a != later[0].end() || b != later[1].end())
            Highlighted.Add(b == later[1].end() || (a != later[0].end() && *a < *b) ? *a++ : *b++);
    }
    const int removed = Highlighted.Count();
    SetCheckpoint("d029");
    DeleteHighlighted();
    return removed;
}
