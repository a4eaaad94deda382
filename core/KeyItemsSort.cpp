#include "CheckpointTrail.h"
#include "CodePage.h"
#include "KeyItems.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

// An entry as the sort sees it: its first sixteen collation weights packed into two integers (each weight
// shifted by one, so the end of a short text sorts before any character). Most comparisons never touch the
// texts; only entries that agree on all sixteen go back to them.
struct TSortRecord {
    std::uint64_t High;
    std::uint64_t Low;
    std::int32_t Index;
    std::int32_t Words;
};

constexpr std::size_t PackedWeights = 16;

std::uint64_t PackWeights(const TCodePage& codePage, std::string_view text, std::size_t from) {
    std::uint64_t packed = 0;
    for (std::size_t i = from; i < from + 8; ++i) {
        const std::uint64_t weight =
            i < text.size() ? codePage.Weight[static_cast<std::uint8_t>(text[i])] + 1u : 0u;
        packed = (packed << 8) | weight;
    }
    return packed;
}

int Sign(bool less, bool greater) {
    return less ? -1 : greater ? 1 : 0;
}

class TSorter {
public:
    TSorter(const TCodePage& codePage, const std::vector<TKeyItem>& items) : cp_(codePage), items_(items) {}

    int CompareText(const TSortRecord& a, const TSortRecord& b) const {
        if (a.High != b.High)
            return Sign(a.High < b.High, true);
        if (a.Low != b.Low)
            return Sign(a.Low < b.Low, true);
        // Equal packs mean the first sixteen weights agree (or both texts ended there, equal): go on from
        // there.
        const std::string_view ta = items_[static_cast<std::size_t>(a.Index)].Text();
        const std::string_view tb = items_[static_cast<std::size_t>(b.Index)].Text();
        const std::size_t from = std::min<std::size_t>({PackedWeights, ta.size(), tb.size()});
        return cp_.CompareText(ta.substr(from), tb.substr(from));
    }

    // Orders 1..4; ties fall back to list order, so equal entries keep their relative order.
    bool Less(const TSortRecord& a, const TSortRecord& b, int order) const {
        int c = 0;
        if (order >= 3 && a.Words != b.Words)
            c = Sign(a.Words < b.Words, true);
        else
            c = CompareText(a, b);
        if (order == 2 || order == 4)
            c = -c;
        return c != 0 ? c < 0 : a.Index < b.Index;
    }

private:
    const TCodePage& cp_;
    const std::vector<TKeyItem>& items_;
};

// Sixteen bits that never decrease along the order: the first two weights, or the word count and the first
// weight; reversed for the descending orders.
unsigned LeadingKey(const TSortRecord& record, int order) {
    const auto firstTwo = static_cast<unsigned>(record.High >> 48);
    const unsigned words = static_cast<unsigned>(std::min(record.Words, 255));
    switch (order) {
    case 1:
        return firstTwo;
    case 2:
        return 0xFFFFu - firstTwo;
    case 3:
        return (words << 8) | (firstTwo >> 8);
    default:
        return ((255u - words) << 8) | (255u - (firstTwo >> 8));
    }
}

// The records of the entries in their new order. The texts are read where the entries keep them: a copy
// of ten million views would cost as much memory as the sort itself.
std::vector<TSortRecord> SortedRecords(const std::vector<TKeyItem>& items, int order) {
    const TCodePage& codePage = ActiveCodePage();
    const auto record = [&](std::size_t i) {
        const std::string_view text = items[i].Text();
        const int words = order >= 3 ? items[i].WordCount() : 0;
        return TSortRecord{PackWeights(codePage, text, 0), PackWeights(codePage, text, 8),
                           static_cast<std::int32_t>(i), words};
    };
    // A stable counting sort by the leading key, writing each record straight to its bucket: one array of
    // records, however long the list.
    std::vector<std::size_t> starts(0x10001, 0);
    for (std::size_t i = 0; i < items.size(); ++i)
        ++starts[LeadingKey(record(i), order) + 1];
    for (std::size_t k = 1; k < starts.size(); ++k)
        starts[k] += starts[k - 1];
    std::vector<TSortRecord> sorted(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const TSortRecord r = record(i);
        sorted[starts[LeadingKey(r, order)]++] = r;
    }
    const TSorter sorter(codePage, items);
    // Buckets are small enough to stay in cache while each is sorted on its own.
    const auto less = [&](const TSortRecord& a, const TSortRecord& b) { return sorter.Less(a, b, order); };
    for (std::size_t begin = 0; begin < sorted.size();) {
        const unsigned bucket = LeadingKey(sorted[begin], order);
        std::size_t end = begin + 1;
        while (end < sorted.size() && LeadingKey(sorted[end], order) == bucket)
            ++end;
        std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(begin),
                  sorted.begin() + static_cast<std::ptrdiff_t>(end), less);
        begin = end;
    }
    return sorted;
}

// Open-addressing set of entry indices keyed by the upper-cased text: finds the first entry of each group of
// case-insensitive duplicates in one pass, in list order. It reads the texts where the entries keep them.
class TFirstOccurrences {
public:
    TFirstOccurrences(const TCodePage& codePage, const std::vector<TKeyItem>& items)
        : cp_(codePage), items_(items), slots_(std::bit_ceil(items.size() * 2 + 16), Empty),
          mask_(slots_.size() - 1) {}

    // Appends, ascending, the index of every entry whose upper-cased text an earlier entry has. On a large
    // list nearly every look into the table, at the entry it names and at that entry's text misses the
    // cache, so each of the three is asked for some entries ahead: the misses overlap instead of following
    // one another.
    void CollectLaterOnes(TIntList& later) {
        const std::size_t n = items_.size();
        for (std::size_t i = 0; i < std::min(n, 3 * Stage); ++i)
            hashes_[i % Ring] = HashAndFetchSlot(i);
        for (std::size_t i = 0; i < n; ++i) {
            if (i + 3 * Stage < n)
                hashes_[(i + 3 * Stage) % Ring] = HashAndFetchSlot(i + 3 * Stage);
            if (i + 2 * Stage < n)
                FetchOccupant(hashes_[(i + 2 * Stage) % Ring], false);
            if (i + Stage < n)
                FetchOccupant(hashes_[(i + Stage) % Ring], true);
            if (SeenBefore(static_cast<std::uint32_t>(i), hashes_[i % Ring]))
                later.Add(static_cast<std::int32_t>(i));
        }
    }

private:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;
    static constexpr std::size_t Stage = 8;
    static constexpr std::size_t Ring = 4 * Stage;

    std::uint64_t HashAndFetchSlot(std::size_t index) const {
        const std::uint64_t hash = Hash(items_[index].Text());
        __builtin_prefetch(&slots_[hash & mask_]);
        return hash;
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
                return false;
            }
            if (cp_.SameText(items_[slots_[slot]].Text(), text))
                return true;
        }
    }

    std::uint64_t Hash(std::string_view text) const {
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
        for (char c : text)
            h = (h ^ cp_.Upper[static_cast<std::uint8_t>(c)]) * 0x100000001B3ull;
        return h ^ (h >> 29);
    }

    const TCodePage& cp_;
    const std::vector<TKeyItem>& items_;
    std::vector<std::uint32_t> slots_;
    std::size_t mask_;
    std::array<std::uint64_t, Ring> hashes_{};
};

} // namespace

int TKeyItems::RemoveDuplicates() {
    CheckpointScope checkpoint("d026");
    Highlighted.Clear();
    // The first entry of each group stays.
    TFirstOccurrences(ActiveCodePage(), items_).CollectLaterOnes(Highlighted);
    const int removed = Highlighted.Count();
    SetCheckpoint("d029");
    DeleteHighlighted();
    return removed;
}

void TKeyItems::SortBy(std::uint8_t order) {
    SortOrder = order;
    if (order < 1 || order > 4)
        return;
    const std::vector<TSortRecord> records = SortedRecords(items_, order);
    std::vector<TKeyItem> sorted;
    sorted.reserve(items_.size());
    for (const auto& record : records)
        sorted.push_back(std::move(items_[static_cast<std::size_t>(record.Index)]));
    items_.swap(sorted);
}
