#include "CheckpointTrail.h"
#include "CodePage.h"
#include "KeyItems.h"

#include <algorithm>
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
    TSorter(const TCodePage& codePage, const std::vector<std::string_view>& texts)
        : cp_(codePage), texts_(texts) {}

    int CompareText(const TSortRecord& a, const TSortRecord& b) const {
        if (a.High != b.High)
            return Sign(a.High < b.High, true);
        if (a.Low != b.Low)
            return Sign(a.Low < b.Low, true);
        // Equal packs mean the first sixteen weights agree (or both texts ended there, equal): go on from
        // there.
        const std::string_view ta = texts_[static_cast<std::size_t>(a.Index)];
        const std::string_view tb = texts_[static_cast<std::size_t>(b.Index)];
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
    const std::vector<std::string_view>& texts_;
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

// A stable counting sort by the leading key.
std::vector<TSortRecord> DistributeByLeadingKey(const std::vector<TSortRecord>& records, int order) {
    std::vector<std::size_t> starts(0x10001, 0);
    for (const auto& record : records)
        ++starts[LeadingKey(record, order) + 1];
    for (std::size_t k = 1; k < starts.size(); ++k)
        starts[k] += starts[k - 1];
    std::vector<TSortRecord> distributed(records.size());
    for (const auto& record : records)
        distributed[starts[LeadingKey(record, order)]++] = record;
    return distributed;
}

std::vector<TSortRecord> SortedRecords(TKeyItems& list, int order) {
    const TCodePage& codePage = ActiveCodePage();
    const std::vector<std::string_view> texts = list.AllTexts();
    std::vector<TSortRecord> records(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int words = order >= 3 ? list.GetKeyItem(static_cast<int>(i)).WordCount() : 0;
        records[i] = {PackWeights(codePage, texts[i], 0), PackWeights(codePage, texts[i], 8),
                      static_cast<std::int32_t>(i), words};
    }
    const TSorter sorter(codePage, texts);
    std::vector<TSortRecord> sorted = DistributeByLeadingKey(records, order);
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
// case-insensitive duplicates in one pass, in list order.
class TFirstOccurrences {
public:
    TFirstOccurrences(const TCodePage& codePage, const std::vector<std::string_view>& texts)
        : cp_(codePage), texts_(texts), slots_(std::bit_ceil(texts.size() * 2 + 16), Empty),
          mask_(slots_.size() - 1) {}

    // True when an earlier entry has the same upper-cased text.
    bool SeenBefore(std::uint32_t index) {
        const std::string_view text = texts_[index];
        for (std::size_t slot = Hash(text) & mask_;; slot = (slot + 1) & mask_) {
            if (slots_[slot] == Empty) {
                slots_[slot] = index;
                return false;
            }
            if (cp_.SameText(texts_[slots_[slot]], text))
                return true;
        }
    }

private:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;

    std::uint64_t Hash(std::string_view text) const {
        std::uint64_t h = 0x9E3779B97F4A7C15ull ^ text.size();
        for (char c : text)
            h = (h ^ cp_.Upper[static_cast<std::uint8_t>(c)]) * 0x100000001B3ull;
        return h ^ (h >> 29);
    }

    const TCodePage& cp_;
    const std::vector<std::string_view>& texts_;
    std::vector<std::uint32_t> slots_;
    std::size_t mask_;
};

} // namespace

int TKeyItems::RemoveDuplicates() {
    CheckpointScope checkpoint("d026");
    const std::vector<std::string_view> texts = AllTexts();
    TFirstOccurrences firstOccurrences(ActiveCodePage(), texts);
    Highlighted.Clear();
    // The first entry of each group stays; indices come out ascending.
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (firstOccurrences.SeenBefore(static_cast<std::uint32_t>(i)))
            Highlighted.Add(static_cast<std::int32_t>(i));
    const int removed = Highlighted.Count();
    SetCheckpoint("d029");
    DeleteHighlighted();
    return removed;
}

void TKeyItems::SortBy(std::uint8_t order) {
    SortOrder = order;
    if (order < 1 || order > 4)
        return;
    const std::vector<TSortRecord> records = SortedRecords(*this, order);
    std::vector<TKeyItem> sorted;
    sorted.reserve(items_.size());
    for (const auto& record : records)
        sorted.push_back(std::move(items_[static_cast<std::size_t>(record.Index)]));
    items_.swap(sorted);
}
