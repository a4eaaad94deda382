#include "CheckpointTrail.h"
#include "CodePage.h"
#include "KeyItems.h"

#include <algorithm>

namespace {

// An entry as the sort sees it: the first eight collation weights packed into one integer (shifted by one so
// that the end of a short text sorts before any character), so most comparisons never touch the texts.
struct TSortRecord {
    std::uint64_t Prefix;
    std::int32_t Index;
    std::int32_t Words;
};

std::uint64_t WeightPrefix(const TCodePage& codePage, std::string_view text) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::uint64_t weight = i < text.size() ? codePage.Weight[static_cast<std::uint8_t>(text[i])] + 1u : 0u;
        prefix = (prefix << 8) | weight;
    }
    return prefix;
}

enum class TKeyOrder { TextAscending, TextDescending, WordsAscending, WordsDescending };

class TSorter {
public:
    TSorter(const TCodePage& codePage, const std::vector<std::string_view>& texts) : cp_(codePage), texts_(texts) {}

    // Negative, zero or positive by text, ignoring case.
    int CompareText(const TSortRecord& a, const TSortRecord& b) const {
        if (a.Prefix != b.Prefix)
            return a.Prefix < b.Prefix ? -1 : 1;
        return cp_.CompareText(texts_[static_cast<std::size_t>(a.Index)], texts_[static_cast<std::size_t>(b.Index)]);
    }

    // Ties fall back to list order, so equal entries keep their relative order.
    bool Less(const TSortRecord& a, const TSortRecord& b, TKeyOrder order) const {
        int c = 0;
        switch (order) {
        case TKeyOrder::TextAscending:
            c = CompareText(a, b);
            break;
        case TKeyOrder::TextDescending:
            c = -CompareText(a, b);
            break;
        case TKeyOrder::WordsAscending:
            c = a.Words != b.Words ? (a.Words < b.Words ? -1 : 1) : CompareText(a, b);
            break;
        case TKeyOrder::WordsDescending:
            c = a.Words != b.Words ? (a.Words > b.Words ? -1 : 1) : -CompareText(a, b);
            break;
        }
        return c != 0 ? c < 0 : a.Index < b.Index;
    }

private:
    const TCodePage& cp_;
    const std::vector<std::string_view>& texts_;
};

std::vector<TSortRecord> SortedRecords(TKeyItems& list, TKeyOrder order, bool needWords) {
    const TCodePage& codePage = ActiveCodePage();
    const std::vector<std::string_view> texts = list.AllTexts();
    std::vector<TSortRecord> records(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int words = needWords ? list.GetKeyItem(static_cast<int>(i)).WordCount() : 0;
        records[i] = {WeightPrefix(codePage, texts[i]), static_cast<std::int32_t>(i), words};
    }
    const TSorter sorter(codePage, texts);
    std::sort(records.begin(), records.end(),
              [&](const TSortRecord& a, const TSortRecord& b) { return sorter.Less(a, b, order); });
    return records;
}

} // namespace

int TKeyItems::RemoveDuplicates() {
    CheckpointScope checkpoint("d026");
    const std::vector<TSortRecord> records = SortedRecords(*this, TKeyOrder::TextAscending, false);
    const TCodePage& codePage = ActiveCodePage();
    Highlighted.Clear();
    // Equal weights mean equal upper-cased texts, so neighbours in this order are the duplicates.
    for (std::size_t i = 1; i < records.size(); ++i) {
        const TSortRecord& previous = records[i - 1];
        const TSortRecord& current = records[i];
        if (previous.Prefix == current.Prefix &&
            codePage.SameText(items_[static_cast<std::size_t>(previous.Index)].Text(),
                              items_[static_cast<std::size_t>(current.Index)].Text()))
            Highlighted.Add(current.Index);
    }
    const int removed = Highlighted.Count();
    Highlighted.SortAscending();
    SetCheckpoint("d029");
    DeleteHighlighted();
    return removed;
}

void TKeyItems::SortBy(std::uint8_t order) {
    SortOrder = order;
    if (order < 1 || order > 4)
        return;
    const auto keyOrder = static_cast<TKeyOrder>(order - 1);
    const bool needWords = keyOrder == TKeyOrder::WordsAscending || keyOrder == TKeyOrder::WordsDescending;
    const std::vector<TSortRecord> records = SortedRecords(*this, keyOrder, needWords);
    std::vector<TKeyItem> sorted;
    sorted.reserve(items_.size());
    for (const auto& record : records)
        sorted.push_back(std::move(items_[static_cast<std::size_t>(record.Index)]));
    items_.swap(sorted);
}
