#include "core/KeyItems.h"

#include <algorithm>

void TKeyItems::CopyEntriesTo(TKeyItems& copy) const {
    copy.Clear();
    copy.items_.reserve(items_.size());
    for (const TKeyItem& item : items_) {
        TKeyItem& twin = copy.items_.emplace_back(TKeyItem(copy.arena_, {}));
        twin.size_ = item.size_;
        twin.wordCount_ = item.wordCount_;
    }
    PackTexts(items_, copy.items_, copy.arena_);
}

std::size_t TKeyItems::EntriesMemory() const {
    return HeldBytes(items_) + arena_.Used();
}

bool TKeyItems::SameEntries(const TKeyItems& other) const {
    return std::equal(items_.begin(), items_.end(), other.items_.begin(), other.items_.end(),
                      [](const TKeyItem& a, const TKeyItem& b) { return a.Text() == b.Text(); });
}
