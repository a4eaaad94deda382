#include "core/CaseFolding.h"
#include "core/Collation.h"
#include "core/KeyItems.h"
#include "core/PickInBlocks.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// An entry as the sort sees it: 24 bytes of its text's collation key from some depth on, packed into three
// integers (0 past the key's end, so a shorter key sorts first) and turned around for the descending orders,
// and its word count as the order ranks it. Records compare as integers only; entries whose keys agree are
// packed again from the next 24 bytes, so no comparison reads a text. An ASCII text's key has a byte per
// character first, and keyword phrases seldom agree on as many characters.
struct TSortRecord {
    std::uint64_t High;
    std::uint64_t Middle;
    std::uint64_t Low;
    std::int32_t Index;
    std::int32_t Words;
};

constexpr std::size_t PackedWeights = 24;

bool SameKey(const TSortRecord& a, const TSortRecord& b) {
    return a.Words == b.Words && a.High == b.High && a.Middle == b.Middle && a.Low == b.Low;
}

bool KeyBefore(const TSortRecord& a, const TSortRecord& b) {
    if (a.Words != b.Words)
        return a.Words < b.Words;
    if (a.High != b.High)
        return a.High < b.High;
    if (a.Middle != b.Middle)
        return a.Middle < b.Middle;
    return a.Low < b.Low;
}

// Ties fall back to list order, so equal entries keep their relative order.
bool Before(const TSortRecord& a, const TSortRecord& b) {
    if (!SameKey(a, b))
        return KeyBefore(a, b);
    return a.Index < b.Index;
}

// Builds records for one of the orders 1..4 (text up, text down, words then text up, both down).
class TRecordMaker {
public:
    TRecordMaker(const TCollation& collation, const TKeyItemStore& items, int order)
        : collation_(collation), items_(items), order_(order), descending_(order == 2 || order == 4) {}

    TSortRecord Make(std::size_t index) const {
        const int words = order_ >= 3 ? items_[index].WordCount() : 0;
        TSortRecord record{0, 0, 0, static_cast<std::int32_t>(index), order_ == 4 ? -words : words};
        Pack(items_[index].Text(), 0, record);
        return record;
    }

    // Asks for the entry of a record, and some records later for its text, before they are repacked.
    void FetchEntry(const TSortRecord& record) const {
        __builtin_prefetch(&items_[static_cast<std::size_t>(record.Index)]);
    }

    // A repacking reads the text from its start, and as far as the depth in key bytes: a character beyond
    // ASCII weighs a byte and takes two or more.
    void FetchText(const TSortRecord& record, std::size_t depth) const {
        const std::string_view text = items_[static_cast<std::size_t>(record.Index)].Text();
        __builtin_prefetch(text.data());
        __builtin_prefetch(text.data() + std::min(2 * depth, text.size()));
    }

    void Repack(TSortRecord& record, std::size_t depth) const {
        Pack(items_[static_cast<std::size_t>(record.Index)].Text(), depth, record);
    }

    // The record's whole collation key, for runs whose texts agree too far for repacking to pay.
    std::string WholeKey(const TSortRecord& record) const {
        std::string key;
        collation_.AppendKey(items_[static_cast<std::size_t>(record.Index)].Text(), key);
        return key;
    }
    bool Descending() const { return descending_; }

    // Whether the last packed weight is a character: only then can texts that agree so far differ later.
    bool MayGoOn(const TSortRecord& record) const { return (record.Low & 0xFF) != (descending_ ? 0xFF : 0); }

    // The leading key of an entry's record, from no more of its text than the key needs.
    unsigned LeadingKeyOf(std::size_t index) const {
        std::uint8_t bytes[2];
        collation_.KeyBytes(items_[index].Text(), 0, bytes, 2);
        const std::uint64_t lead = (std::uint64_t{bytes[0]} << 56) | (std::uint64_t{bytes[1]} << 48);
        const int words = order_ >= 3 ? items_[index].WordCount() : 0;
        return LeadingKey({descending_ ? ~lead : lead, 0, 0, 0, order_ == 4 ? -words : words});
    }

    // Sixteen bits that never decrease along the order: the first two weights, or the word count and the
    // first weight.
    unsigned LeadingKey(const TSortRecord& record) const {
        if (order_ <= 2)
            return static_cast<unsigned>(record.High >> 48);
        const auto words = static_cast<unsigned>(std::min(std::abs(record.Words), 255));
        return ((order_ == 3 ? words : 255u - words) << 8) | static_cast<unsigned>(record.High >> 56);
    }

private:
    void Pack(std::string_view text, std::size_t from, TSortRecord& record) const {
        std::uint8_t bytes[PackedWeights];
        collation_.KeyBytes(text, from, bytes, PackedWeights);
        // The first key byte must be the most significant: read as little-endian words, turned around.
        static_assert(std::endian::native == std::endian::little);
        std::uint64_t words[3];
        std::memcpy(words, bytes, sizeof words);
        const std::uint64_t flip = descending_ ? ~std::uint64_t{0} : 0;
        record.High = __builtin_bswap64(words[0]) ^ flip;
        record.Middle = __builtin_bswap64(words[1]) ^ flip;
        record.Low = __builtin_bswap64(words[2]) ^ flip;
    }

    const TCollation& collation_;
    const TKeyItemStore& items_;
    int order_;
    bool descending_;
};

// Sorts ranges of records completely: by the packed weights, then each run of equal records again by the
// weights that follow, until the run's texts have ended or the run is one record. Runs are taken a depth at
// a time over all the ranges given, so that repacking, which reads texts anywhere in the list, can ask for
// them far enough ahead for the cache misses to overlap.
class TRangeSorter {
public:
    explicit TRangeSorter(const TRecordMaker& maker) : maker_(maker) {}

    // Sorts a range by its first packed weights; the runs that need more wait for Finish.
    void Sort(TSortRecord* first, TSortRecord* last) {
        SortRange(first, last);
        QueueRuns(first, last, runs_);
    }

    void Finish() {
        for (std::size_t depth = PackedWeights; !runs_.empty(); depth += PackedWeights) {
            if (depth >= WholeKeysFrom) {
                for (const TRun& run : runs_)
                    SortByWholeKeys(run);
                runs_.clear();
                return;
            }
            Repack(depth);
            std::vector<TRun> deeper;
            for (const TRun& run : runs_) {
                SortRange(run.First, run.Last);
                QueueRuns(run.First, run.Last, deeper);
            }
            runs_.swap(deeper);
        }
    }

private:
    struct TRun {
        TSortRecord* First;
        TSortRecord* Last;
    };

    // Below this many records, comparing them costs less than distributing them by a byte.
    static constexpr std::ptrdiff_t DistributeFrom = 96;

    // A bucket of a list in one script holds thousands of records whose first weights come from a few
    // dozen letters, and comparison sorts of such runs mispredict most of their branches: runs that large
    // are distributed by the first byte in which their records differ, a byte at a time, and only small
    // runs compared.
    void SortRange(TSortRecord* first, TSortRecord* last) {
        if (last - first < DistributeFrom) {
            std::sort(first, last, Before);
            return;
        }
        if (TakenInOrder(first, last))
            return;
        // Records of other word counts, which come first in the order, or of equal weights, which list order
        // decides, are compared.
        if (const auto byte = FirstDifference(first, last))
            Distribute(first, last, *byte);
        else
            std::sort(first, last, Before);
    }

    // A list sorted before, either way, needs no distributing: runs already in order stay, and runs in the
    // other order are turned around, with equal records back in list order.
    static bool TakenInOrder(TSortRecord* first, TSortRecord* last) {
        if (std::is_sorted(first, last, Before))
            return true;
        if (!std::is_sorted(first, last,
                            [](const TSortRecord& a, const TSortRecord& b) { return KeyBefore(b, a); }))
            return false;
        std::reverse(first, last);
        for (TSortRecord* run = first; run != last;) {
            TSortRecord* end = run + 1;
            while (end != last && SameKey(*run, *end))
                ++end;
            std::reverse(run, end);
            run = end;
        }
        return true;
    }

    // A byte of the packed weights: the one at Shift in Word.
    struct TByte {
        std::uint64_t TSortRecord::*Word;
        unsigned Shift;
    };

    // The first byte in which records of one word count differ; none when the counts or no weights differ.
    static std::optional<TByte> FirstDifference(const TSortRecord* first, const TSortRecord* last) {
        if (std::any_of(first, last, [first](const TSortRecord& r) { return r.Words != first->Words; }))
            return std::nullopt;
        for (std::uint64_t TSortRecord::*word :
             {&TSortRecord::High, &TSortRecord::Middle, &TSortRecord::Low}) {
            std::uint64_t differ = 0;
            for (const TSortRecord* r = first; r != last; ++r)
                differ |= (r->*word) ^ (first->*word);
            if (differ != 0)
                return TByte{word, static_cast<unsigned>(63 - std::countl_zero(differ)) & ~7u};
        }
        return std::nullopt;
    }

    // A stable distribution of the records by the byte, then each group of more than one sorted on.
    void Distribute(TSortRecord* first, TSortRecord* last, TByte byte) {
        const auto value = [byte](const TSortRecord& r) { return (r.*byte.Word >> byte.Shift) & 0xFF; };
        // Four counts a byte value, summed afterwards: runs of one value would otherwise wait on each
        // other's increments.
        std::array<std::array<std::uint32_t, 256>, 4> counts{};
        const TSortRecord* r = first;
        for (; last - r >= 4; r += 4)
            for (std::size_t lane = 0; lane < 4; ++lane)
                ++counts[lane][value(r[lane])];
        for (; r != last; ++r)
            ++counts[0][value(*r)];
        std::array<std::size_t, 257> starts{};
        for (std::size_t b = 0; b < 256; ++b)
            starts[b + 1] = starts[b] + counts[0][b] + counts[1][b] + counts[2][b] + counts[3][b];
        const auto size = static_cast<std::size_t>(last - first);
        if (spare_.size() < size)
            spare_.resize(size);
        std::array<std::size_t, 257> next = starts;
        for (const TSortRecord* record = first; record != last; ++record)
            spare_[next[value(*record)]++] = *record;
        std::copy(spare_.begin(), spare_.begin() + static_cast<std::ptrdiff_t>(size), first);
        for (std::size_t b = 0; b < 256; ++b)
            if (starts[b + 1] - starts[b] > 1)
                SortRange(first + starts[b], first + starts[b + 1]);
    }

    // Each repacking reads a text from its start, so texts that agree this far (long copies of one text)
    // would cost their length squared: their whole keys are made once instead.
    static constexpr std::size_t WholeKeysFrom = 4 * PackedWeights;

    void SortByWholeKeys(const TRun& run) const {
        std::vector<std::pair<std::string, TSortRecord>> keyed;
        keyed.reserve(static_cast<std::size_t>(run.Last - run.First));
        for (const TSortRecord* r = run.First; r != run.Last; ++r)
            keyed.emplace_back(maker_.WholeKey(*r), *r);
        const bool descending = maker_.Descending();
        std::sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
            const int order = a.first.compare(b.first);
            if (order != 0)
                return descending ? order > 0 : order < 0;
            return a.second.Index < b.second.Index;
        });
        TSortRecord* out = run.First;
        for (const auto& entry : keyed)
            *out++ = entry.second;
    }

    void Repack(std::size_t depth) {
        members_.clear();
        for (const TRun& run : runs_)
            for (TSortRecord* r = run.First; r != run.Last; ++r)
                members_.push_back(r);
        constexpr std::size_t Ahead = 8;
        const std::size_t n = members_.size();
        for (std::size_t k = 0; k < n; ++k) {
            if (k + 2 * Ahead < n)
                maker_.FetchEntry(*members_[k + 2 * Ahead]);
            if (k + Ahead < n)
                maker_.FetchText(*members_[k + Ahead], depth);
            maker_.Repack(*members_[k], depth);
        }
    }

    void QueueRuns(TSortRecord* first, TSortRecord* last, std::vector<TRun>& runs) const {
        for (TSortRecord* run = first; run != last;) {
            TSortRecord* end = run + 1;
            while (end != last && SameKey(*run, *end))
                ++end;
            if (end - run > 1 && maker_.MayGoOn(*run))
                runs.push_back({run, end});
            run = end;
        }
    }

    const TRecordMaker& maker_;
    std::vector<TRun> runs_;
    std::vector<TSortRecord*> members_;
    TLargeVector<TSortRecord> spare_;
};

// Sorts the buckets [first, last) of the records; bucket k spans ends[k - 1] to ends[k], less base, the
// position of records in the whole order.
void SortBuckets(TSortRecord* records, std::size_t base, const std::vector<std::size_t>& ends,
                 std::size_t first, std::size_t last, const TRecordMaker& maker) {
    TRangeSorter sorter(maker);
    std::size_t unreported = 0;
    for (std::size_t k = first; k < last; ++k) {
        const std::size_t begin = k == 0 ? 0 : ends[k - 1];
        if (ends[k] - begin > 1)
            sorter.Sort(records + (begin - base), records + (ends[k] - base));
        unreported += ends[k] - begin;
        if (unreported >= 1 << 14)
            ProgressAdvance(std::exchange(unreported, 0));
    }
    sorter.Finish();
}

// The first bucket after the one that holds the position, or the one that holds it if that leaves the two
// sides nearer in size; always after from.
std::size_t BucketsBefore(const std::vector<std::size_t>& ends, std::size_t from, std::size_t to,
                          std::size_t position) {
    const auto at =
        static_cast<std::size_t>(std::lower_bound(ends.begin() + static_cast<std::ptrdiff_t>(from),
                                                  ends.begin() + static_cast<std::ptrdiff_t>(to), position) -
                                 ends.begin());
    if (at == to || at == from)
        return std::min(at + 1, to);
    return ends[at] - position < position - ends[at - 1] ? at + 1 : at;
}

// The old row of each new row. Too few entries for buckets to pay for their counts are sorted as they are.
TLargeVector<std::int32_t> SortedRowsOfFew(const TRecordMaker& maker, std::size_t n) {
    TLargeArray<TSortRecord> records(n);
    for (std::size_t i = 0; i < n; ++i)
        records[i] = maker.Make(i);
    TRangeSorter sorter(maker);
    sorter.Sort(records.get(), records.get() + n);
    sorter.Finish();
    TLargeVector<std::int32_t> from(n);
    for (std::size_t k = 0; k < n; ++k)
        from[k] = records[k].Index;
    return from;
}

// The old row of each new row. A stable counting sort by the leading key writes each record straight to its
// bucket, and the buckets, small enough to stay in cache, are sorted on their own. The records, the most
// memory the sort takes, are made for the first half of the buckets and then for the rest, so that only half
// of them exist at once. On a long list each half of the entries is counted and placed, and each half of the
// buckets sorted, on a thread of its own.
TLargeVector<std::int32_t> SortedRows(const TKeyItemStore& items, int order) {
    const TRecordMaker maker(TCollation::Current(), items, order);
    const std::size_t n = items.size();
    if (n < ParallelFrom)
        return SortedRowsOfFew(maker, n);
    constexpr std::size_t Buckets = 0x10000;
    // Counted, placed twice (each pass reads every entry's key) and sorted.
    ProgressBegin(4 * n);
    TLargeArray<std::uint16_t> keys(n);
    std::array<std::vector<std::size_t>, 2> starts;
    InParts(n, [&](unsigned part, unsigned parts) {
        starts[part].assign(Buckets, 0);
        const auto [first, last] = PartRange(n, part, parts);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            const unsigned key = maker.LeadingKeyOf(i);
            keys[i] = static_cast<std::uint16_t>(key);
            ++starts[part][key];
        }
    });
    // Within a bucket the first half's records come first, so that the placing keeps list order.
    std::vector<std::size_t> ends(Buckets);
    std::size_t total = 0;
    const bool halves = !starts[1].empty();
    for (std::size_t k = 0; k < Buckets; ++k) {
        const std::size_t second = halves ? starts[1][k] : 0;
        starts[0][k] = std::exchange(total, total + starts[0][k]);
        if (halves)
            starts[1][k] = std::exchange(total, total + second);
        ends[k] = total;
    }
    const std::size_t middle = BucketsBefore(ends, 0, Buckets, n / 2);
    const std::array<std::size_t, 3> passes{0, middle, Buckets};
    const std::size_t firstPass = ends[middle - 1];
    // Left unset: the placing writes every record of a pass, each half on its own thread. The records are
    // written bucket by bucket and then read in order, so small pages do.
    TLargeArray<TSortRecord> records(std::max(firstPass, n - firstPass), LargeBuffer::TPaging::Small);
    TLargeVector<std::int32_t> from(n);
    for (std::size_t pass = 0; pass < 2; ++pass) {
        const std::size_t first = passes[pass], last = passes[pass + 1];
        const std::size_t base = first == 0 ? 0 : ends[first - 1];
        InParts(n, [&](unsigned part, unsigned parts) {
            const auto [begin, end] = PartRange(n, part, parts);
            TakePicked(
                begin, end,
                [&](std::size_t i) { return static_cast<std::size_t>(keys[i]) - first < last - first; },
                [&](std::size_t i) { records[starts[part][keys[i]]++ - base] = maker.Make(i); });
        });
        // Half of the pass's records on either side of the split.
        const std::size_t size = ends[last - 1] - base;
        const std::size_t split = BucketsBefore(ends, first, last, base + size / 2);
        InParts(size, [&](unsigned part, unsigned parts) {
            if (parts == 1)
                SortBuckets(records.get(), base, ends, first, last, maker);
            else if (part == 0)
                SortBuckets(records.get(), base, ends, first, split, maker);
            else
                SortBuckets(records.get(), base, ends, split, last, maker);
        });
        InParts(size, [&](unsigned part, unsigned parts) {
            const auto [begin, end] = PartRange(size, part, parts);
            for (std::size_t k = begin; k < end; ++k)
                from[base + k] = records[k].Index;
        });
    }
    return from;
}

} // namespace

void TKeyItems::SortBy(std::uint8_t order) {
    SortOrder = order;
    if (order < 1 || order > 4)
        return;
    const std::size_t n = items_.size();
    TLargeVector<std::int32_t> from = SortedRows(items_, order);
    // Gathered into a new array: the reads are independent of one another, so their misses overlap; on a
    // long list each half on a thread of its own.
    {
        TKeyItemStore sorted(n);
        InParts(n, [&](unsigned part, unsigned parts) {
            const auto [first, last] = PartRange(n, part, parts);
            constexpr std::size_t Ahead = 16;
            for (std::size_t k = first; k < last; ++k) {
                if (k + Ahead < last)
                    __builtin_prefetch(&items_[static_cast<std::size_t>(from[k + Ahead])]);
                sorted[k] = std::move(items_[static_cast<std::size_t>(from[k])]);
            }
        });
        items_.swap(sorted);
    }
    if (SortedFrom)
        *SortedFrom = std::move(from);
    from = {};
    // The texts follow in the new order, so whatever runs through the list next reads memory in sequence.
    Compact();
}
