#include "core/EntryFilter.h"

#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/TwoThreads.h"

#include <algorithm>
#include <array>

void TEntryFilter::Start(std::string_view text, bool listChanged) {
    const std::string folded = Folded(text);
    // Every entry holding the longer text holds the shorter one it contains.
    const bool narrow = !listChanged && done_ && !folded_.empty() && !folded.empty() &&
                        folded.find(folded_) != std::string::npos;
    if (narrow)
        candidates_ = std::move(matches_);
    else
        candidates_.clear();
    narrowing_ = narrow;
    folded_ = folded;
    matches_.clear();
    next_ = 0;
    done_ = folded_.empty();
    search_ = done_ ? nullptr : std::make_unique<TTermSearch>(std::vector<std::string>{std::string(text)});
}

bool TEntryFilter::Advance(const TKeyItems& list, int rows) {
    if (done_)
        return true;
    const int count = list.Count();
    const std::size_t total = narrowing_ ? candidates_.size() : static_cast<std::size_t>(count);
    const std::size_t end = std::min(total, next_ + static_cast<std::size_t>(std::max(rows, 0)));
    const std::size_t first = next_;
    // Each part finds its own rows; part 0 holds the lower ones, so appending keeps them ascending.
    std::array<std::vector<std::int32_t>, 2> found;
    std::array<std::string, 2> scratch;
    InParts(end - first, [&](unsigned part, unsigned parts) {
        const auto [from, to] = PartRange(end - first, part, parts);
        for (std::size_t i = first + from; i < first + to; ++i) {
            const int row = narrowing_ ? candidates_[i] : static_cast<int>(i);
            if (row < count &&
                search_->ContainsAny(search_->Searchable(list.GetKeyItem(row).Text(), scratch[part])))
                found[part].push_back(row);
        }
    });
    for (const auto& rowsFound : found)
        matches_.insert(matches_.end(), rowsFound.begin(), rowsFound.end());
    next_ = end;
    done_ = end == total;
    if (done_) {
        candidates_ = {};
        search_.reset();
    }
    return done_;
}
