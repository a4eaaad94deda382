#pragma once

#include "core/LargeBuffer.h"
#include "core/PackedEntries.h"
#include "core/RewriteLog.h"
#include "core/RowRuns.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TKeyItems;
struct TRemovedRows;

// One step of one list's history: the list as it was before a command (or, once the command is undone, as
// the command left it). Stepping exchanges the kept state with the list's own, so undo and redo copy nothing.
class TUndoLevel {
public:
    // Keeps the list's highlight, sort order and name, and with withEntries a packed copy of its entries.
    TUndoLevel(std::string caption, TKeyItems& list, std::vector<TRowRun> highlighted, bool withEntries);
    ~TUndoLevel();
    TUndoLevel(const TUndoLevel&) = delete;
    TUndoLevel& operator=(const TUndoLevel&) = delete;

    // Keeps the list's highlight, sort order and name, and only the entries of the rows that the command is
    // about to remove: stepping puts them back, or takes them out again.
    static std::unique_ptr<TUndoLevel> ForRemoval(std::string caption, TKeyItems& list,
                                                  std::vector<TRowRun> highlighted,
                                                  std::vector<TRowRun> rows);

    // Keeps the list's highlight, sort order and name; while the command runs, the list hands the level
    // the order its sort made, or the texts its rewrites replaced, until Detach.
    static std::unique_ptr<TUndoLevel> ForSort(std::string caption, TKeyItems& list,
                                               std::vector<TRowRun> highlighted);
    static std::unique_ptr<TUndoLevel> ForRewrite(std::string caption, TKeyItems& list,
                                                  std::vector<TRowRun> highlighted);
    // ForRemoval of the rows that the list's removal of duplicates takes out, with the storage of their
    // texts.
    static std::unique_ptr<TUndoLevel> ForDuplicates(std::string caption, TKeyItems& list,
                                                     std::vector<TRowRun> highlighted);
    // Keeps the list's highlight, sort order and name, for a command that only adds entries at the list's
    // end: stepping takes out the rows added, or puts them back.
    static std::unique_ptr<TUndoLevel> ForAddition(std::string caption, TKeyItems& list,
                                                   std::vector<TRowRun> highlighted);
    // Keeps the list's highlight, sort order and name; if the command clears the list, the level takes its
    // entries as they go instead of a copy made beforehand.
    static std::unique_ptr<TUndoLevel> ForClearing(std::string caption, TKeyItems& list,
                                                   std::vector<TRowRun> highlighted);
    // The command is over: the list hands the level nothing more.
    void Detach();

    // What a level of the list would take before it is made (for a rewrite, at most).
    static std::size_t BytesFor(const TKeyItems& list, bool withEntries);
    static std::size_t BytesForRemoval(const TKeyItems& list, const std::vector<TRowRun>& rows);
    static std::size_t BytesForSort(const TKeyItems& list);
    static std::size_t BytesForRewrite(const TKeyItems& list);
    static std::size_t BytesForDuplicates(const TKeyItems& list);

    const std::string& Caption() const { return caption_; }
    TKeyItems& List() const { return *list_; }
    std::size_t Bytes() const;
    // Whether the list, shown with that highlight, is still as kept.
    bool Unchanged(const std::vector<TRowRun>& highlighted) const;
    // Puts the kept state into the list and keeps the list's state (shown with highlighted) instead; answers
    // the highlight to show now. Fails only for want of memory, and then changes nothing.
    std::vector<TRowRun> Exchange(std::vector<TRowRun> highlighted);

private:
    friend class TUndoHistory;

    void Unhook() noexcept;
    void PackRemoved();

    std::string caption_;
    TKeyItems* list_;
    std::unique_ptr<TKeyItems> entries_;
    // For a removal: the rows whose entries packed_ (or entries_, where there was no room to pack them)
    // holds while they are out of the list.
    TKeptRows removed_;
    TPackedEntries packed_;
    bool removal_ = false;
    // For an addition: until Detach, the rows from countBefore_ on are still to be added.
    bool addition_ = false;
    int countBefore_ = 0;
    // For a sort: the old row of each row it made, or nothing when it moved none; sortedNow_ tells whether
    // the list shows the sorted order.
    std::unique_ptr<TLargeVector<std::int32_t>> order_;
    bool sortedNow_ = true;
    // For a rewrite: the texts that the other side of the step holds.
    std::unique_ptr<TRewriteLog> rewrites_;
    // For a removal of duplicates, while it runs.
    std::unique_ptr<TRemovedRows> duplicates_;
    std::vector<TRowRun> highlighted_;
    std::uint8_t sortOrder_;
    std::string name_;
    // Orders the levels of all lists by the time they were made or last stepped through.
    std::uint64_t stamp_ = 0;
};

// The undo and redo levels of every list, within one memory budget shared by all lists: when the levels
// together outgrow it, the least recently made or stepped levels at the far ends of the lists' histories go
// first.
class TUndoHistory {
public:
    explicit TUndoHistory(std::size_t budget) : budget_(budget) {}

    std::size_t Budget() const { return budget_; }
    void SetBudget(std::size_t bytes);
    std::size_t Bytes() const { return bytes_; }

    // The list's newest undo level; its redo levels go.
    void Push(std::unique_ptr<TUndoLevel> level);
    // Null when there is none.
    const TUndoLevel* NextUndo(const TKeyItems& list) const;
    const TUndoLevel* NextRedo(const TKeyItems& list) const;
    // Steps the list back or forward (there must be a level); highlighted is the list's shown highlight,
    // the answer the one to show.
    std::vector<TRowRun> Undo(TKeyItems& list, std::vector<TRowRun> highlighted);
    std::vector<TRowRun> Redo(TKeyItems& list, std::vector<TRowRun> highlighted);
    // Drops the list's levels: it changed in a way that no level kept.
    void Forget(const TKeyItems& list);

private:
    struct TLevels {
        const TKeyItems* List;
        // Newest at the back.
        std::deque<std::unique_ptr<TUndoLevel>> Undo;
        // Next to redo at the back.
        std::deque<std::unique_ptr<TUndoLevel>> Redo;
    };

    TLevels* Find(const TKeyItems& list);
    const TLevels* Find(const TKeyItems& list) const;
    TLevels& Of(const TKeyItems& list);
    std::vector<TRowRun> Step(TKeyItems& list, std::vector<TRowRun> highlighted, bool back);
    void Drop(std::deque<std::unique_ptr<TUndoLevel>>& levels, bool front);
    void Trim();

    std::deque<TLevels> lists_;
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::uint64_t clock_ = 0;
};
