#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/LargeBuffer.h"
#include "core/PickInBlocks.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace {

// Finds the later entries of each group of case-insensitive duplicates. Every folded text is hashed once and
// the entries sorted into buckets by hash (keeping list order inside a bucket). A bucket's table is small
// enough to stay in the cache; searched by hash alone, it gives each entry the first earlier entry of its
// hash, if any. Then the list is walked in order and each entry compared with that earlier one, so that the
// entry and its text are read in order and only the earlier texts at random; one table for the whole list,
// or comparing texts bucket by bucket, would miss the cache on nearly every look on long lists.
class TLaterDuplicates {
public:
    explicit TLaterDuplicates(const TKeyItemStore& items)
        : items_(items), size_(items.size()), shift_(BucketShiftFor(size_)), parts_(PartsFor(size_)),
          hashes_(size_), later_((size_ + 63) / 64) {}

    // Marks every entry whose folded text an earlier entry has.
    void Find() {
        // Hashed, then placed into buckets, searched and compared, a share of the buckets at a time: an
        // entry in a bucket takes four times the room of its hash, and only a share of them are there at
        // once. Each placing and each comparing walks every entry.
        ProgressBegin((2 * Shares + 2) * size_);
        std::array<std::vector<std::uint32_t>, 2> counts;
        RunParts(parts_, [&](unsigned part, unsigned) { counts[part] = HashPart(part); });
        std::array<std::vector<std::uint32_t>, 2> starts = Starts(counts);
        const std::array<std::size_t, Shares + 1> bounds = ShareBounds(starts[0]);
        std::size_t largest = 0;
        for (std::size_t share = 0; share < Shares; ++share)
            largest = std::max(largest, BucketStart(starts[0], bounds[share + 1]) -
                                            BucketStart(starts[0], bounds[share]));
        order_ = TLargeArray<TSlot>(largest);
        std::array<std::vector<std::uint32_t>, 2> differing;
        for (std::size_t share = 0; share < Shares; ++share) {
            const std::size_t first = bounds[share];
            const std::size_t last = bounds[share + 1];
            const std::size_t base = BucketStart(starts[0], first);
            RunParts(parts_,
                     [&](unsigned part, unsigned) { PlacePart(part, starts[part], first, last, base); });
            const std::size_t split =
                BucketFrom(starts[0], first, last, (base + BucketStart(starts[0], last)) / 2);
            RunParts(parts_, [&](unsigned part, unsigned count) {
                if (count == 1)
                    SearchBuckets(starts[0], first, last, base);
                else
                    SearchBuckets(starts[0], part == 0 ? first : split, part == 0 ? split : last, base);
            });
            RunParts(parts_, [&](unsigned part, unsigned) {
                ComparePart(part, starts[part], first, last, base, differing[part]);
            });
        }
        // The rows that the marks become, and what the removal takes, may have their room.
        hashes_ = {};
        order_ = {};
        MarkRepeatedAmong(differing);
    }

    int Count() const {
        std::size_t count = 0;
        for (const std::uint64_t bits : later_)
            count += static_cast<std::size_t>(std::popcount(bits));
        return static_cast<int>(count);
    }

    // Appends the marked entries' indices, ascending.
    void AddTo(TIntList& rows) const {
        for (std::size_t word = 0; word < later_.size(); ++word)
            for (std::uint64_t bits = later_[word]; bits != 0; bits &= bits - 1)
                rows.Add(static_cast<int>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits))));
    }

private:
    // An entry's hash and text; once searched, the text of the first earlier entry of its hash. Holding the
    // text itself, not the entry, saves a read that waits on another for each entry that has one.
    struct TSlot {
        std::uint32_t Hash;
        std::uint32_t Size;
        const char* Data;

        std::string_view Text() const { return {Data, Size}; }
    };
    using TBucketTable = std::vector<TSlot>;
    // An entry and the text of the first earlier entry of its hash.
    struct TPair {
        std::uint32_t Later;
        std::string_view EarlierText;
    };

    // The address of no text: a slot without one.
    static constexpr char None{};
    // About this many entries a bucket: the fewer the buckets, the fewer the places that placing writes to at
    // once, which then stay in the cache; a bucket's table still fits a core's own cache.
    static constexpr std::size_t BucketSize = 16384;
    // The buckets are placed and searched in this many shares.
    static constexpr std::size_t Shares = 3;
    // Pairs compared in one round, and how far ahead their earlier texts are asked for.
    static constexpr std::size_t PairsARound = 256;
    static constexpr std::size_t TextsAhead = 8;
    // Each bucket's entries are read in order, but the buckets' places are too many for the hardware to
    // fetch ahead.
    static constexpr std::size_t PlacesAhead = 32;

    static unsigned BucketShiftFor(std::size_t entries) {
        unsigned bits = 0;
        while ((entries >> bits) > BucketSize && bits < 24)
            ++bits;
        return 32 - bits;
    }

    std::size_t Buckets() const { return shift_ == 32 ? 1 : std::size_t{1} << (32 - shift_); }
    std::size_t BucketOf(std::uint32_t hash) const { return shift_ == 32 ? 0 : hash >> shift_; }

    // A part's entries; the parts meet at a multiple of 64, so each marks words of its own.
    std::pair<std::size_t, std::size_t> Range(unsigned part) const {
        const std::size_t middle = parts_ == 1 ? size_ : size_ / 2 / 64 * 64;
        return part == 0 ? std::pair{std::size_t{0}, middle} : std::pair{middle, size_};
    }

    std::vector<std::uint32_t> HashPart(unsigned part) {
        std::vector<std::uint32_t> counts(Buckets());
        const auto [first, last] = Range(part);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            const auto hash = static_cast<std::uint32_t>(FoldedHash(items_[i].Text()) >> 32);
            hashes_[i] = hash;
            ++counts[BucketOf(hash)];
        }
        return counts;
    }

    // Where each part's entries of each bucket go: the first part's before the second's, so that a bucket
    // lists its entries in list order. starts[0] is also where each bucket begins.
    std::array<std::vector<std::uint32_t>, 2>
    Starts(const std::array<std::vector<std::uint32_t>, 2>& counts) const {
        std::array<std::vector<std::uint32_t>, 2> starts;
        starts[0].resize(Buckets());
        if (parts_ == 2)
            starts[1].resize(Buckets());
        std::uint32_t next = 0;
        for (std::size_t bucket = 0; bucket < Buckets(); ++bucket) {
            starts[0][bucket] = next;
            next += counts[0][bucket];
            if (parts_ == 2) {
                starts[1][bucket] = next;
                next += counts[1][bucket];
            }
        }
        return starts;
    }

    // Where bucket begins among the entries in buckets.
    std::size_t BucketStart(const std::vector<std::uint32_t>& starts, std::size_t bucket) const {
        return bucket < Buckets() ? starts[bucket] : size_;
    }

    // The first bucket of each share, then Buckets(): shares of about as many entries.
    std::array<std::size_t, Shares + 1> ShareBounds(const std::vector<std::uint32_t>& starts) const {
        std::array<std::size_t, Shares + 1> bounds{};
        for (std::size_t share = 1; share < Shares; ++share)
            bounds[share] = BucketFrom(starts, bounds[share - 1], Buckets(), size_ * share / Shares);
        bounds[Shares] = Buckets();
        return bounds;
    }

    // The first bucket of [from, to) that begins at position or later; to if none.
    std::size_t BucketFrom(const std::vector<std::uint32_t>& starts, std::size_t from, std::size_t to,
                           std::size_t position) const {
        while (from < to && starts[from] < position)
            ++from;
        return from;
    }

    // Calls take(chosen, places) for the part's entries of the buckets [first, last) in list order, a block
    // at a time, with the place of each among them, less base.
    template <class TTake>
    void WalkPart(unsigned part, std::vector<std::uint32_t> next, std::size_t first, std::size_t last,
                  std::size_t base, TTake take) const {
        std::array<std::uint32_t, PickBlock> places;
        const auto [begin, end] = Range(part);
        TakePickedBlocks(
            begin, end, [&](std::size_t i) { return BucketOf(hashes_[i]) - first < last - first; },
            [&](std::span<const std::uint32_t> chosen) {
                for (std::size_t k = 0; k < chosen.size(); ++k)
                    places[k] = static_cast<std::uint32_t>(next[BucketOf(hashes_[chosen[k]])]++ - base);
                take(chosen, std::span<const std::uint32_t>(places.data(), chosen.size()));
            });
    }

    void PlacePart(unsigned part, const std::vector<std::uint32_t>& starts, std::size_t first,
                   std::size_t last, std::size_t base) {
        WalkPart(part, starts, first, last, base,
                 [&](std::span<const std::uint32_t> chosen, std::span<const std::uint32_t> places) {
                     for (std::size_t k = 0; k < chosen.size(); ++k) {
                         const std::string_view text = items_[chosen[k]].Text();
                         order_[places[k]] = {hashes_[chosen[k]], static_cast<std::uint32_t>(text.size()),
                                              text.data()};
                     }
                 });
    }

    void SearchBuckets(const std::vector<std::uint32_t>& starts, std::size_t first, std::size_t last,
                       std::size_t base) {
        TBucketTable table;
        std::size_t unreported = 0;
        for (std::size_t bucket = first; bucket < last; ++bucket) {
            const std::size_t begin = BucketStart(starts, bucket);
            const std::size_t end = BucketStart(starts, bucket + 1);
            Search(begin - base, end - base, table);
            unreported += end - begin;
            if (unreported >= std::size_t{1} << 14)
                ProgressAdvance(std::exchange(unreported, 0));
        }
    }

    // Leaves in each slot of the bucket, in place of the entry's text, the text of the first earlier entry of
    // its hash, or None.
    void Search(std::size_t first, std::size_t last, TBucketTable& table) {
        const std::size_t slots = std::bit_ceil(2 * (last - first) + 8);
        table.assign(slots, TSlot{0, 0, &None});
        const std::size_t mask = slots - 1;
        for (std::size_t k = first; k < last; ++k) {
            TSlot& entry = order_[k];
            for (std::size_t slot = entry.Hash & mask;; slot = (slot + 1) & mask) {
                TSlot& at = table[slot];
                if (at.Data == &None) {
                    at = entry;
                    entry.Data = &None;
                    break;
                }
                if (at.Hash == entry.Hash) {
                    entry = at;
                    break;
                }
            }
        }
    }

    // Compares the part's entries of the buckets [first, last) with the first earlier entry of their hash:
    // marks those whose texts agree and adds the others to differing.
    void ComparePart(unsigned part, const std::vector<std::uint32_t>& starts, std::size_t first,
                     std::size_t last, std::size_t base, std::vector<std::uint32_t>& differing) {
        std::vector<TPair> pairs;
        pairs.reserve(PairsARound);
        WalkPart(part, starts, first, last, base,
                 [&](std::span<const std::uint32_t> chosen, std::span<const std::uint32_t> places) {
                     for (std::size_t k = 0; k < chosen.size(); ++k) {
                         if (k + PlacesAhead < chosen.size())
                             __builtin_prefetch(&order_[places[k + PlacesAhead]]);
                         const TSlot& earlier = order_[places[k]];
                         if (earlier.Data == &None)
                             continue;
                         pairs.push_back({chosen[k], earlier.Text()});
                         if (pairs.size() == PairsARound)
                             Compare(pairs, differing);
                     }
                 });
        Compare(pairs, differing);
    }

    // In rounds, the earlier texts asked for ahead so that their misses overlap.
    void Compare(std::vector<TPair>& pairs, std::vector<std::uint32_t>& differing) {
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            if (k + TextsAhead < pairs.size())
                __builtin_prefetch(pairs[k + TextsAhead].EarlierText.data());
            const TPair& pair = pairs[k];
            if (SameText(pair.EarlierText, items_[pair.Later].Text()))
                Mark(pair.Later);
            else
                differing.push_back(pair.Later);
        }
        pairs.clear();
    }

    // An entry whose text differs from the first earlier one of its hash repeats an earlier entry only if
    // the first of its own text also differed from that one: among those entries, marks each whose text an
    // earlier one has. Few entries get here, so each is hashed again, in full.
    void MarkRepeatedAmong(const std::array<std::vector<std::uint32_t>, 2>& differing) {
        std::vector<std::pair<std::uint64_t, std::uint32_t>> keyed;
        keyed.reserve(differing[0].size() + differing[1].size());
        for (const auto& part : differing)
            for (const std::uint32_t index : part)
                keyed.emplace_back(FoldedHash(items_[index].Text()), index);
        std::sort(keyed.begin(), keyed.end());
        std::vector<std::string_view> texts;
        for (std::size_t run = 0; run < keyed.size();) {
            std::size_t end = run;
            texts.clear();
            for (; end < keyed.size() && keyed[end].first == keyed[run].first; ++end) {
                const std::uint32_t index = keyed[end].second;
                const std::string_view text = items_[index].Text();
                if (std::any_of(texts.begin(), texts.end(),
                                [&](std::string_view t) { return SameText(t, text); }))
                    Mark(index);
                else
                    texts.push_back(text);
            }
            run = end;
        }
    }

    // Each thread marks entries of its own part only.
    void Mark(std::uint32_t index) { later_[index / 64] |= std::uint64_t{1} << (index % 64); }

    const TKeyItemStore& items_;
    std::size_t size_;
    unsigned shift_;
    unsigned parts_;
    TLargeArray<std::uint32_t> hashes_;
    // The entries of the buckets searched now, bucket by bucket: their slots.
    TLargeArray<TSlot> order_;
    TLargeVector<std::uint64_t> later_;
};

} // namespace

int TKeyItems::RemoveDuplicates() {
    CheckpointScope checkpoint("d026");
    Highlighted.Clear();
    // The first entry of each group stays.
    {
        TLaterDuplicates later(items_);
        later.Find();
        Highlighted.SetCapacity(later.Count());
        later.AddTo(Highlighted);
    }
    const int removed = Highlighted.Count();
    SetCheckpoint("d029");
    if (DuplicatesRemoved)
        TakeHighlighted(*DuplicatesRemoved);
    else
        DeleteHighlighted();
    return removed;
}
