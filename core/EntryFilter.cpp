#include "core/EntryFilter.h"

#include "core/CaseFolding.h"
#include "core/KeyItems.h"

#include <algorithm>

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
    for (std::size_t i = next_; i < end; ++i) {
        const int row = narrowing_ ? candidates_[i] : static_cast<int>(i);
        if (row < count && search_->ContainsAny(search_->Searchable(list.GetKeyItem(row).Text(), scratch_)))
            matches_.push_back(row);
    }
    next_ = end;
    done_ = end == total;
    if (done_) {
        candidates_ = {};
        search_.reset();
    }
    return done_;
}
