#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/LargeBuffer.h"
#include "core/PickInBlocks.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"

#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// Finds the later entries of each group of case-insensitive duplicates in three passes: hash every folded
// text once, sort the entries into buckets by hash (keeping list order inside a bucket), then look for
// duplicates bucket by bucket, each entry with its hash beside it. A bucket's table is small enough to stay
// in the cache, so only the entries and texts of likely duplicates are read at random; one table for the
// whole list would miss the cache (and, on long lists, the address cache) on nearly every look.
class TLaterDuplicates {
public:
    explicit TLaterDuplicates(const TKeyItemStore& items)
        : items_(items), size_(items.size()), shift_(BucketShiftFor(size_)), hashes_(size_),
          later_((size_ + 63) / 64) {}

    // Marks every entry whose folded text an earlier entry has.
    void Find() {
        // Hashed, then placed into buckets and searched, half of the buckets at a time: an entry in a bucket
        // takes twice the room of its hash, and only half of them are there at once. Each placing reads
        // every entry.
        ProgressBegin(4 * size_);
        const unsigned parts = PartsFor(size_);
        std::array<std::vector<std::uint32_t>, 2> counts;
        RunParts(parts, [&](unsigned part, unsigned count) { counts[part] = HashPart(part, count); });
        std::array<std::vector<std::uint32_t>, 2> starts = Starts(counts, parts);
        const std::size_t middle = BucketFrom(starts[0], 0, Buckets(), size_ / 2);
        const std::size_t firstHalf = BucketStart(starts[0], middle);
        order_ = TLargeArray<TSlot>(std::max(firstHalf, size_ - firstHalf));
        const std::array<std::size_t, 3> bounds{0, middle, Buckets()};
        for (std::size_t pass = 0; pass < 2; ++pass) {
            const std::size_t first = bounds[pass];
            const std::size_t last = bounds[pass + 1];
            const std::size_t base = BucketStart(starts[0], first);
            RunParts(parts, [&](unsigned part, unsigned count) {
                PlacePart(part, count, starts[part], first, last, base);
            });
            const std::size_t split =
                BucketFrom(starts[0], first, last, (base + BucketStart(starts[0], last)) / 2);
            RunParts(parts, [&](unsigned part, unsigned count) {
                if (count == 1)
                    SearchBuckets(starts[0], first, last, base);
                else
                    SearchBuckets(starts[0], part == 0 ? first : split, part == 0 ? split : last, base);
            });
        }
        // The rows that the marks become, and what the removal takes, may have their room.
        hashes_ = {};
        order_ = {};
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
    struct TSlot {
        std::uint32_t Hash;
        std::uint32_t Index;
    };
    using TBucketTable = std::vector<TSlot>;
    // An entry and the first earlier entry of its bucket with the same hash, with their texts once read.
    struct TPair {
        TSlot Later;
        std::uint32_t Earlier;
        std::string_view Text;
        std::string_view EarlierText;
    };

    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    // About this many entries a bucket.
    static constexpr std::size_t BucketSize = 2048;
    static constexpr std::size_t TextsAhead = 8;

    static unsigned BucketShiftFor(std::size_t entries) {
        unsigned bits = 0;
        while ((entries >> bits) > BucketSize && bits < 24)
            ++bits;
        return 32 - bits;
    }

    std::size_t Buckets() const { return shift_ == 32 ? 1 : std::size_t{1} << (32 - shift_); }
    std::size_t BucketOf(std::uint32_t hash) const { return shift_ == 32 ? 0 : hash >> shift_; }

    std::vector<std::uint32_t> HashPart(unsigned part, unsigned parts) {
        std::vector<std::uint32_t> counts(Buckets());
        const auto [first, last] = PartRange(size_, part, parts);
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
    std::array<std::vector<std::uint32_t>, 2> Starts(const std::array<std::vector<std::uint32_t>, 2>& counts,
                                                     unsigned parts) const {
        std::array<std::vector<std::uint32_t>, 2> starts;
        starts[0].resize(Buckets());
        if (parts == 2)
            starts[1].resize(Buckets());
        std::uint32_t next = 0;
        for (std::size_t bucket = 0; bucket < Buckets(); ++bucket) {
            starts[0][bucket] = next;
            next += counts[0][bucket];
            if (parts == 2) {
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

    // The first bucket of [from, to) that begins at position or later; to if none.
    std::size_t BucketFrom(const std::vector<std::uint32_t>& starts, std::size_t from, std::size_t to,
                           std::size_t position) const {
        while (from < to && starts[from] < position)
            ++from;
        return from;
    }

    // Places the part's entries of the buckets [first, last), less base.
    void PlacePart(unsigned part, unsigned parts, std::vector<std::uint32_t> next, std::size_t first,
                   std::size_t last, std::size_t base) {
        const auto [begin, end] = PartRange(size_, part, parts);
        TakePicked(
            begin, end, [&](std::size_t i) { return BucketOf(hashes_[i]) - first < last - first; },
            [&](std::size_t i) {
                const std::uint32_t hash = hashes_[i];
                order_[next[BucketOf(hash)]++ - base] = {hash, static_cast<std::uint32_t>(i)};
            });
    }

    void SearchBuckets(const std::vector<std::uint32_t>& starts, std::size_t first, std::size_t last,
                       std::size_t base) {
        TBucketTable table;
        std::vector<TPair> pairs;
        std::size_t unreported = 0;
        for (std::size_t bucket = first; bucket < last; ++bucket) {
            const std::size_t begin = BucketStart(starts, bucket);
            const std::size_t end = BucketStart(starts, bucket + 1);
            Search(begin - base, end - base, table, pairs);
            unreported += end - begin;
            if (unreported >= std::size_t{1} << 14)
                ProgressAdvance(std::exchange(unreported, 0));
        }
    }

    // Most entries of a long list repeat an earlier one, and comparing the two reads both entries and texts
    // at random. A bucket is searched in rounds: by hash alone, each entry paired with the first earlier
    // one of its hash; then the pairs' entries read; then their texts compared. Each round's reads do not
    // wait on one another, so their misses overlap. An entry whose pair's texts differ (their hashes agree by
    // chance) is looked for again, comparing texts.
    void Search(std::size_t first, std::size_t last, TBucketTable& table, std::vector<TPair>& pairs) {
        const std::size_t slots = std::bit_ceil(2 * (last - first) + 8);
        table.assign(slots, TSlot{0, Empty});
        const std::size_t mask = slots - 1;
        pairs.clear();
        for (std::size_t k = first; k < last; ++k) {
            const auto [hash, index] = order_[k];
            for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
                TSlot& at = table[slot];
                if (at.Index == Empty) {
                    at = {hash, index};
                    break;
                }
                if (at.Hash == hash) {
                    pairs.push_back({{hash, index}, at.Index, {}, {}});
                    break;
                }
            }
        }
        for (TPair& pair : pairs) {
            pair.Text = items_[pair.Later.Index].Text();
            pair.EarlierText = items_[pair.Earlier].Text();
        }
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            if (k + TextsAhead < pairs.size()) {
                __builtin_prefetch(pairs[k + TextsAhead].Text.data());
                __builtin_prefetch(pairs[k + TextsAhead].EarlierText.data());
            }
            const TPair& pair = pairs[k];
            if (SameText(pair.EarlierText, pair.Text))
                Mark(pair.Later.Index);
            else
                SearchAgain(pair.Later, table, mask);
        }
    }

    // Every entry of the bucket before this one is in the table by now, unless it repeats an earlier one.
    void SearchAgain(TSlot entry, TBucketTable& table, std::size_t mask) {
        const std::string_view text = items_[entry.Index].Text();
        for (std::size_t slot = entry.Hash & mask;; slot = (slot + 1) & mask) {
            TSlot& at = table[slot];
            if (at.Index == Empty) {
                at = entry;
                return;
            }
            if (at.Hash == entry.Hash && SameText(items_[at.Index].Text(), text)) {
                Mark(entry.Index);
                return;
            }
        }
    }

    // Both threads mark into the same words.
    void Mark(std::uint32_t index) {
        std::atomic_ref<std::uint64_t>(later_[index / 64])
            .fetch_or(std::uint64_t{1} << (index % 64), std::memory_order_relaxed);
    }

    const TKeyItemStore& items_;
    std::size_t size_;
    unsigned shift_;
    TLargeArray<std::uint32_t> hashes_;
    // The entries of the buckets searched now, bucket by bucket, each with its hash.
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
