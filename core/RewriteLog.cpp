#include "core/RewriteLog.h"

#include "core/KeyItems.h"

#include <utility>

void TRewriteLog::TPart::Add(int row, std::string_view text) {
    Rows.push_back(row);
    Texts.AddKeyword(text);
}

std::string_view TRewriteLog::TPart::Text(std::size_t k) const {
    return Texts.GetKeyItem(static_cast<int>(k)).Text();
}

bool TRewriteLog::Empty() const {
    for (const TPart& part : parts_)
        if (!part.Rows.empty())
            return false;
    return true;
}

std::size_t TRewriteLog::Bytes() const {
    std::size_t bytes = sizeof(TRewriteLog);
    for (const TPart& part : parts_)
        bytes += part.Rows.capacity() * sizeof(std::int32_t) + part.Texts.EntriesMemory();
    return bytes;
}

std::size_t TRewriteLog::Rows() const {
    std::size_t rows = 0;
    for (const TPart& part : parts_)
        rows += part.Rows.size();
    return rows;
}

void TRewriteLog::Before(const TKeyItems& list, TKeyItems& before) const {
    std::size_t bytes = list.TextBytes();
    for (const TPart& part : parts_)
        bytes += part.Texts.TextBytes();
    before.Reserve(static_cast<std::size_t>(list.Count()), bytes);
    // Each part notes ascending rows; the parts may interleave only as two sorted sequences do.
    std::array<std::size_t, Parts> next{};
    for (int row = 0; row < list.Count(); ++row) {
        std::string_view text = list.GetKeyItem(row).Text();
        for (unsigned p = 0; p < Parts; ++p)
            if (next[p] < parts_[p].Rows.size() && parts_[p].Rows[next[p]] == row)
                text = parts_[p].Text(next[p]++);
        before.AddKeyword(text);
    }
}

void TRewriteLog::Exchange(TKeyItems& list) {
    // Everything that can fail for want of memory comes before the first text changes.
    std::array<TPart, Parts> now;
    std::size_t growth = 0;
    for (unsigned p = 0; p < Parts; ++p) {
        const TPart& part = parts_[p];
        std::size_t bytes = 0;
        for (const std::int32_t row : part.Rows)
            bytes += list.GetKeyItem(row).Text().size();
        now[p].Rows.reserve(part.Rows.size());
        now[p].Texts.Reserve(part.Rows.size(), bytes);
        for (std::size_t k = 0; k < part.Rows.size(); ++k) {
            const std::string_view text = list.GetKeyItem(part.Rows[k]).Text();
            now[p].Add(part.Rows[k], text);
            if (part.Text(k).size() > text.size())
                growth += part.Text(k).size();
        }
    }
    list.Reserve(0, growth);
    for (const TPart& part : parts_)
        for (std::size_t k = 0; k < part.Rows.size(); ++k)
            list.GetKeyItem(part.Rows[k]).SetText(part.Text(k));
    for (unsigned p = 0; p < Parts; ++p) {
        parts_[p].Rows.swap(now[p].Rows);
        parts_[p].Texts.SwapEntries(now[p].Texts);
    }
    list.CompactIfWasteful();
}
