#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/LargeBuffer.h"
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
        : items_(items), size_(items.size()), shift_(BucketShiftFor(size_)), hashes_(size_), order_(size_),
          later_((size_ + 63) / 64) {}

    // Marks every entry whose folded text an earlier entry has.
    void Find() {
        // Hashed, sorted into buckets and searched: each pass goes through every entry once.
        ProgressBegin(3 * size_);
        const unsigned parts = PartsFor(size_);
        std::array<std::vector<std::uint32_t>, 2> counts;
        RunParts(parts, [&](unsigned part, unsigned count) { counts[part] = HashPart(part, count); });
        std::array<std::vector<std::uint32_t>, 2> starts = Starts(counts, parts);
        RunParts(parts, [&](unsigned part, unsigned count) { SortPart(part, count, starts[part]); });
        // The buckets carry the hashes from here on.
        hashes_ = {};
        const std::size_t middle = MiddleBucket(starts[0]);
        RunParts(parts, [&](unsigned part, unsigned count) {
            const auto [first, last] = count == 1  ? std::pair<std::size_t, std::size_t>{0, Buckets()}
                                       : part == 0 ? std::pair<std::size_t, std::size_t>{0, middle}
                                                   : std::pair<std::size_t, std::size_t>{middle, Buckets()};
            TBucketTable table;
            std::size_t unreported = 0;
            for (std::size_t bucket = first; bucket < last; ++bucket) {
                const std::size_t begin = starts[0][bucket];
                const std::size_t end = bucket + 1 < Buckets() ? starts[0][bucket + 1] : size_;
                Search(begin, end, table);
                unreported += end - begin;
                if (unreported >= std::size_t{1} << 14)
                    ProgressAdvance(std::exchange(unreported, 0));
            }
        });
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
    // An entry as the search reads it: its hash, its row and where its text lies, so that comparing two
    // entries reads their texts and nothing else at random.
    struct TEntry {
        std::uint32_t Hash;
        std::uint32_t Index;
        std::uint64_t Text;
    };
    // An entry met in a bucket: its hash and its place in the bucket order.
    struct TSlot {
        std::uint32_t Hash;
        std::uint32_t Place;
    };
    using TBucketTable = std::vector<TSlot>;

    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    // About this many entries a bucket.
    static constexpr std::size_t BucketSize = 2048;
    static constexpr std::size_t TextsAhead = 16;
    // A text's length lives above the 48 bits of its address; longer texts are read from their entries.
    static constexpr unsigned LengthShift = 48;
    static constexpr std::uint64_t LongText = 0xFFFF;

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

    void SortPart(unsigned part, unsigned parts, std::vector<std::uint32_t> next) {
        const auto [first, last] = PartRange(size_, part, parts);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            const std::uint32_t hash = hashes_[i];
            order_[next[BucketOf(hash)]++] = {hash, static_cast<std::uint32_t>(i), Packed(items_[i].Text())};
        }
    }

    // The first bucket of the second half of the entries.
    std::size_t MiddleBucket(const std::vector<std::uint32_t>& starts) const {
        std::size_t bucket = 0;
        while (bucket < Buckets() && starts[bucket] < size_ / 2)
            ++bucket;
        return bucket;
    }

    static std::uint64_t Packed(std::string_view text) {
        const auto address = reinterpret_cast<std::uintptr_t>(text.data());
        if (text.size() >= LongText || (address >> LengthShift) != 0)
            return LongText << LengthShift;
        return (std::uint64_t{text.size()} << LengthShift) | address;
    }

    std::string_view TextOf(const TEntry& entry) const {
        const std::uint64_t length = entry.Text >> LengthShift;
        if (length == LongText)
            return items_[entry.Index].Text();
        return {reinterpret_cast<const char*>(entry.Text & ((std::uint64_t{1} << LengthShift) - 1)), length};
    }

    // Most entries of a long list repeat an earlier one, and comparing the two reads both texts at random:
    // for an entry some steps ahead that seems to have an earlier twin, both texts are asked for, so that
    // the misses overlap.
    void Search(std::size_t first, std::size_t last, TBucketTable& table) {
        const std::size_t slots = std::bit_ceil(2 * (last - first) + 8);
        table.assign(slots, TSlot{0, Empty});
        const std::size_t mask = slots - 1;
        for (std::size_t k = first; k < last; ++k) {
            if (k + TextsAhead < last)
                FetchTwin(order_[k + TextsAhead], table, mask);
            const TEntry& entry = order_[k];
            for (std::size_t slot = entry.Hash & mask;; slot = (slot + 1) & mask) {
                TSlot& at = table[slot];
                if (at.Place == Empty) {
                    at = {entry.Hash, static_cast<std::uint32_t>(k)};
                    break;
                }
                if (at.Hash == entry.Hash && SameText(TextOf(order_[at.Place]), TextOf(entry))) {
                    Mark(entry.Index);
                    break;
                }
            }
        }
    }

    void FetchTwin(const TEntry& entry, const TBucketTable& table, std::size_t mask) const {
        for (std::size_t slot = entry.Hash & mask; table[slot].Place != Empty; slot = (slot + 1) & mask) {
            if (table[slot].Hash != entry.Hash)
                continue;
            __builtin_prefetch(TextOf(order_[table[slot].Place]).data());
            __builtin_prefetch(TextOf(entry).data());
            return;
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
    // The entries bucket by bucket.
    TLargeArray<TEntry> order_;
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
