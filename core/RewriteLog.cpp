#include "core/RewriteLog.h"

#include "core/KeyItems.h"

#include <utility>

void TRewriteLog::TPart::Add(int row, std::string_view text) {
    Rows.push_back(row);
    Texts.append(text);
    Ends.push_back(Texts.size());
}

std::string_view TRewriteLog::TPart::Text(std::size_t k) const {
    const std::size_t start = k == 0 ? 0 : Ends[k - 1];
    return std::string_view(Texts).substr(start, Ends[k] - start);
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
        bytes += part.Rows.capacity() * sizeof(std::int32_t) + part.Ends.capacity() * sizeof(std::size_t) +
                 part.Texts.capacity();
    return bytes;
}

void TRewriteLog::Exchange(TKeyItems& list) {
    // Everything that can fail for want of memory comes before the first text changes.
    std::array<TPart, Parts> now;
    std::size_t growth = 0;
    for (unsigned p = 0; p < Parts; ++p) {
        const TPart& part = parts_[p];
        now[p].Rows.reserve(part.Rows.size());
        now[p].Ends.reserve(part.Ends.size());
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
    parts_ = std::move(now);
    list.CompactIfWasteful();
}
