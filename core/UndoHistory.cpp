#include "core/UndoHistory.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"

#include <new>
#include <utility>

TUndoLevel::TUndoLevel(std::string caption, TKeyItems& list, std::vector<TRowRun> highlighted,
                       bool withEntries)
    : caption_(std::move(caption)), list_(&list), highlighted_(std::move(highlighted)),
      sortOrder_(list.SortOrder), name_(list.Name) {
    if (!withEntries)
        return;
    entries_ = std::make_unique<TKeyItems>();
    list.CopyEntriesTo(*entries_);
}

TUndoLevel::~TUndoLevel() {
    Unhook();
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForSort(std::string caption, TKeyItems& list,
                                                std::vector<TRowRun> highlighted) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->order_ = std::make_unique<TLargeVector<std::int32_t>>();
    list.SortedFrom = level->order_.get();
    return level;
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForRewrite(std::string caption, TKeyItems& list,
                                                   std::vector<TRowRun> highlighted) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->rewrites_ = std::make_unique<TRewriteLog>();
    list.RewriteLog = level->rewrites_.get();
    return level;
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForDuplicates(std::string caption, TKeyItems& list,
                                                      std::vector<TRowRun> highlighted) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->duplicates_ = std::make_unique<TRemovedRows>();
    level->removal_ = true;
    level->countBefore_ = list.Count();
    list.DuplicatesRemoved = level->duplicates_.get();
    return level;
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForAddition(std::string caption, TKeyItems& list,
                                                    std::vector<TRowRun> highlighted) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->addition_ = true;
    level->removal_ = true;
    level->countBefore_ = list.Count();
    return level;
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForClearing(std::string caption, TKeyItems& list,
                                                    std::vector<TRowRun> highlighted) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->entries_ = std::make_unique<TKeyItems>();
    list.ClearedInto = level->entries_.get();
    return level;
}

void TUndoLevel::Unhook() noexcept {
    // The list was not cleared: the level keeps no entries, as for a command that left them alone.
    if (entries_ && list_->ClearedInto == entries_.get()) {
        list_->ClearedInto = nullptr;
        entries_.reset();
    }
    if (duplicates_ && list_->DuplicatesRemoved == duplicates_.get())
        list_->DuplicatesRemoved = nullptr;
    if (order_ && list_->SortedFrom == order_.get())
        list_->SortedFrom = nullptr;
    if (rewrites_ && list_->RewriteLog == rewrites_.get())
        list_->RewriteLog = nullptr;
}

void TUndoLevel::Detach() {
    Unhook();
    // Texts put back one by one cost more than exchanging a copy of the list when most of them changed.
    if (rewrites_ && rewrites_->Rows() > static_cast<std::size_t>(list_->Count()) / 2) {
        entries_ = std::make_unique<TKeyItems>();
        rewrites_->Before(*list_, *entries_);
        rewrites_.reset();
    }
    if (std::exchange(addition_, false)) {
        // A removal of the added rows that was already stepped back.
        if (const int added = list_->Count() - countBefore_; added > 0)
            removed_ = TKeptRows({{countBefore_, added}});
        entries_ = std::make_unique<TKeyItems>();
    }
    if (!duplicates_)
        return;
    // The removed entries become those of an ordinary removal level.
    removed_ = std::move(duplicates_->Rows);
    entries_ = std::make_unique<TKeyItems>();
    packed_.Swap(duplicates_->Entries);
    duplicates_.reset();
}

void TUndoLevel::PackRemoved() {
    // Packed, entries out of the list take half the room; without the memory to pack them, they stay as
    // they are.
    try {
        packed_.Take(*entries_);
    } catch (const std::bad_alloc&) {
    }
}

std::unique_ptr<TUndoLevel> TUndoLevel::ForRemoval(std::string caption, TKeyItems& list,
                                                   std::vector<TRowRun> highlighted,
                                                   std::vector<TRowRun> rows) {
    auto level = std::make_unique<TUndoLevel>(std::move(caption), list, std::move(highlighted), false);
    level->entries_ = std::make_unique<TKeyItems>();
    list.CopyRows(rows, *level->entries_);
    level->removed_ = TKeptRows(std::move(rows));
    level->PackRemoved();
    level->removal_ = true;
    level->countBefore_ = list.Count();
    return level;
}

std::size_t TUndoLevel::BytesForRemoval(const TKeyItems& list, const std::vector<TRowRun>& rows) {
    std::size_t bytes = sizeof(TUndoLevel) + rows.size() * sizeof(TRowRun);
    for (const TRowRun& run : rows)
        for (int row = run.First; row < run.First + run.Count; ++row)
            bytes += sizeof(TKeyItem) + list.GetKeyItem(row).Text().size();
    return bytes;
}

std::size_t TUndoLevel::BytesFor(const TKeyItems& list, bool withEntries) {
    const std::size_t entries =
        withEntries ? static_cast<std::size_t>(list.Count()) * sizeof(TKeyItem) + list.TextBytes() : 0;
    return sizeof(TUndoLevel) + entries;
}

std::size_t TUndoLevel::BytesForSort(const TKeyItems& list) {
    return sizeof(TUndoLevel) + static_cast<std::size_t>(list.Count()) * sizeof(std::int32_t);
}

std::size_t TUndoLevel::BytesForRewrite(const TKeyItems& list) {
    // Every text replaced, with its row.
    return sizeof(TUndoLevel) + sizeof(TRewriteLog) +
           static_cast<std::size_t>(list.Count()) * (sizeof(std::int32_t) + sizeof(TKeyItem)) +
           list.TextBytes();
}

std::size_t TUndoLevel::BytesForDuplicates(const TKeyItems& list) {
    // The list's whole storage may go along with the removed entries.
    return sizeof(TUndoLevel) + sizeof(TRemovedRows) + list.EntriesMemory() +
           static_cast<std::size_t>(list.Count()) * sizeof(TRowRun) / 2;
}

std::size_t TUndoLevel::Bytes() const {
    return sizeof(TUndoLevel) + (entries_ ? entries_->EntriesMemory() : 0) + packed_.Bytes() +
           (order_ ? order_->capacity() * sizeof(std::int32_t) : 0) + (rewrites_ ? rewrites_->Bytes() : 0) +
           highlighted_.capacity() * sizeof(TRowRun) + removed_.Bytes() + caption_.capacity() +
           name_.capacity();
}

bool TUndoLevel::Unchanged(const std::vector<TRowRun>& highlighted) const {
    if (removal_)
        return highlighted == highlighted_ && list_->Count() == countBefore_;
    if (highlighted != highlighted_ || list_->SortOrder != sortOrder_ || list_->Name != name_)
        return false;
    if (rewrites_)
        return rewrites_->Empty();
    if (order_) {
        // Row k held the text of row from[k]: only equal texts changed places.
        const TKeyItems& list = *list_;
        for (std::size_t k = 0; k < order_->size(); ++k)
            if (const std::int32_t from = (*order_)[k];
                from != static_cast<std::int32_t>(k) &&
                list.GetKeyItem(static_cast<int>(k)).Text() != list.GetKeyItem(from).Text())
                return false;
        return true;
    }
    // Most changes show in the count or the text bytes; only the others need the texts compared.
    return (!entries_ || (entries_->Count() == list_->Count() &&
                          entries_->TextBytes() == list_->TextBytes() && entries_->SameEntries(*list_)));
}

std::vector<TRowRun> TUndoLevel::Exchange(std::vector<TRowRun> highlighted) {
    if (order_ && !order_->empty()) {
        list_->Permute(*order_, sortedNow_);
        sortedNow_ = !sortedNow_;
    } else if (rewrites_) {
        rewrites_->Exchange(*list_);
    } else if (!removal_ && entries_)
        list_->SwapEntries(*entries_);
    else if (removal_ && !packed_.Empty())
        list_->PutRows(removed_.Runs(), packed_);
    else if (removal_ && entries_->Count() > 0)
        list_->PutRows(removed_.Runs(), *entries_);
    else if (removal_)
        list_->TakeRows(removed_.Runs(), packed_);
    std::swap(list_->SortOrder, sortOrder_);
    std::swap(list_->Name, name_);
    std::swap(highlighted, highlighted_);
    return highlighted;
}

void TUndoHistory::SetBudget(std::size_t bytes) {
    budget_ = bytes;
    Trim();
}

TUndoHistory::TLevels* TUndoHistory::Find(const TKeyItems& list) {
    for (TLevels& levels : lists_)
        if (levels.List == &list)
            return &levels;
    return nullptr;
}

const TUndoHistory::TLevels* TUndoHistory::Find(const TKeyItems& list) const {
    return const_cast<TUndoHistory*>(this)->Find(list);
}

TUndoHistory::TLevels& TUndoHistory::Of(const TKeyItems& list) {
    if (TLevels* levels = Find(list))
        return *levels;
    return lists_.emplace_back(TLevels{&list, {}, {}});
}

void TUndoHistory::Push(std::unique_ptr<TUndoLevel> level) {
    TLevels& levels = Of(level->List());
    while (!levels.Redo.empty())
        Drop(levels.Redo, false);
    level->stamp_ = ++clock_;
    bytes_ += level->Bytes();
    levels.Undo.push_back(std::move(level));
    Trim();
}

const TUndoLevel* TUndoHistory::NextUndo(const TKeyItems& list) const {
    const TLevels* levels = Find(list);
    return levels && !levels->Undo.empty() ? levels->Undo.back().get() : nullptr;
}

const TUndoLevel* TUndoHistory::NextRedo(const TKeyItems& list) const {
    const TLevels* levels = Find(list);
    return levels && !levels->Redo.empty() ? levels->Redo.back().get() : nullptr;
}

std::vector<TRowRun> TUndoHistory::Undo(TKeyItems& list, std::vector<TRowRun> highlighted) {
    return Step(list, std::move(highlighted), true);
}

std::vector<TRowRun> TUndoHistory::Redo(TKeyItems& list, std::vector<TRowRun> highlighted) {
    return Step(list, std::move(highlighted), false);
}

std::vector<TRowRun> TUndoHistory::Step(TKeyItems& list, std::vector<TRowRun> highlighted, bool back) {
    TLevels* levels = Find(list);
    auto* from = levels ? (back ? &levels->Undo : &levels->Redo) : nullptr;
    if (!from || from->empty())
        throw Exception(back ? "There is nothing to undo" : "There is nothing to redo");
    const std::size_t before = from->back()->Bytes();
    std::vector<TRowRun> shown = from->back()->Exchange(std::move(highlighted));
    std::unique_ptr<TUndoLevel> level = std::move(from->back());
    from->pop_back();
    bytes_ -= before;
    level->stamp_ = ++clock_;
    bytes_ += level->Bytes();
    (back ? levels->Redo : levels->Undo).push_back(std::move(level));
    Trim();
    return shown;
}

void TUndoHistory::Forget(const TKeyItems& list) {
    TLevels* levels = Find(list);
    if (!levels)
        return;
    while (!levels->Undo.empty())
        Drop(levels->Undo, false);
    while (!levels->Redo.empty())
        Drop(levels->Redo, false);
}

void TUndoHistory::Drop(std::deque<std::unique_ptr<TUndoLevel>>& levels, bool front) {
    auto& level = front ? levels.front() : levels.back();
    bytes_ -= level->Bytes();
    if (front)
        levels.pop_front();
    else
        levels.pop_back();
}

void TUndoHistory::Trim() {
    while (bytes_ > budget_) {
        std::deque<std::unique_ptr<TUndoLevel>>* oldest = nullptr;
        for (TLevels& levels : lists_)
            for (auto* end : {&levels.Undo, &levels.Redo})
                if (!end->empty() && (!oldest || end->front()->stamp_ < oldest->front()->stamp_))
                    oldest = end;
        if (!oldest)
            return;
        Drop(*oldest, true);
    }
}
