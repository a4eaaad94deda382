#pragma once

#include "core/CharSet.h"
#include "core/FillAhead.h"
#include "core/IntList.h"
#include "core/KeyItem.h"
#include "core/LargeBuffer.h"
#include "core/ListSettings.h"
#include "core/MemoryBudget.h"
#include "core/PackedEntries.h"
#include "core/RowRuns.h"
#include "core/TextArena.h"
#include "core/TextEncoding.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class IClipboard;
class TRewriteLog;
struct TRemovedRows;

// One keyword list: owned entries in display order, its name, display settings, last sort order and the
// indices of the entries that the current operation treats as highlighted (ascending, filled by the caller).
// References to entries stay valid until the next operation that adds or removes entries.
// The entries of a list; millions of them, so their array lives in large storage.
using TKeyItemStore = TLargeVector<TKeyItem>;

class TKeyItems {
public:
    TIntList Highlighted;
    std::string Name;
    TListSettings Settings;
    std::uint8_t SortOrder = 0;
    // While set, the rewrites of entries note the texts they replace here, and the sort hands the old row
    // of each new row here: what an undo level needs to take the change back.
    TRewriteLog* RewriteLog = nullptr;
    TLargeVector<std::int32_t>* SortedFrom = nullptr;
    // While set, removing the duplicates takes the entries it removes here.
    TRemovedRows* DuplicatesRemoved = nullptr;
    // While set, Clear hands the entries here, which must hold none, instead of freeing them, once.
    TKeyItems* ClearedInto = nullptr;

    TKeyItems() = default;
    TKeyItems(const TKeyItems&) = delete;
    TKeyItems& operator=(const TKeyItems&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TKeyItemRef GetKeyItem(int index);
    const TKeyItem& GetKeyItem(int index) const;
    TKeyItemRef AddKeyword(std::string_view text);
    // Prepares room for entries and text bytes about to be added, so a large load grows storage once.
    void Reserve(std::size_t entries, std::size_t textBytes);
    // Room for bytes that are about to be written into the list's storage straight, as a file is read.
    char* TextRoom(std::size_t bytes);
    // Adds count entries at the list's end for texts written into that room, whose first bytes the list
    // then keeps: fill(rows) sets the new rows with TKeyItem::Stored and returns the bytes of their texts
    // (the rest count as free). When fill fails, the list is left as it was.
    template <class TFill> void AddStored(std::size_t count, std::size_t bytes, TFill&& fill);
    // Reserve for one thread about to add the entries: the room is made ready on a second thread while the
    // returned object lives.
    [[nodiscard]] TFillAhead ReserveToFill(std::size_t entries, std::size_t textBytes);
    void Clear();
    void DeleteHighlighted();
    int RemoveDuplicates();
    void SortBy(std::uint8_t order);

    // The clipboard exports answer whether the clipboard now holds the text.
    bool AllToCommaText(IClipboard& clipboard) const;
    bool HighlightedToCommaText(IClipboard& clipboard) const;
    bool AllToLines(IClipboard& clipboard) const;
    bool HighlightedToLines(IClipboard& clipboard) const;
    void AllToTextFile(const std::string& path, TTextEncoding encoding = {TEncoding::Utf8}) const;
    void HighlightedToTextFile(const std::string& path, TTextEncoding encoding = {TEncoding::Utf8}) const;
    void AllToList(TKeyItems& target) const;
    void HighlightedToList(TKeyItems& target) const;

    // Cleaning: every entry rewritten in list order; entries are never added, removed or reordered.
    // Each term removed everywhere, ignoring case, the next term working on the result of the previous.
    void RemoveTerms(const std::vector<std::string>& terms);
    // Runs of tabs and blanks shrink to their first character.
    void CollapseSpaces();
    // Runs of one character shrink to one.
    void CollapseRepeats();
    void RemoveChars(const TCharSet& chars);
    void TrimChars(const TCharSet& chars);

    // Modifying. With asNew the combined texts go to new entries at the end and the old ones stay; growth
    // beyond memoryBudget bytes raises EMemoryBudgetError before anything changes.
    void PrependText(std::string_view text, bool asNew, std::size_t memoryBudget = DefaultMemoryBudget);
    void AppendText(std::string_view text, bool asNew, std::size_t memoryBudget = DefaultMemoryBudget);
    void ToLowerCase();
    void ToUpperCase();
    // The locale's case rules on every character; texts may change length.
    // Upper case at the start of each word, lower case elsewhere.
    void CapitalizeWords();
    // Case-sensitive replace-all in every entry.
    void ReplaceText(std::string_view find, std::string_view replacement);
    void SetMatchType(std::uint8_t matchType);

    // Multiplying inside the list: copies go to the end; old entries stay as they are. Growth beyond
    // memoryBudget bytes raises EMemoryBudgetError before anything changes.
    // A copy of each entry that the case-sensitive replace-all changes.
    void ReplaceAndDuplicate(std::string_view find, std::string_view replacement,
                             std::size_t memoryBudget = DefaultMemoryBudget);
    // A copy of each entry in the match-type form, then duplicates removed from the whole list.
    void AddMatchTypeCopies(std::uint8_t matchType, std::size_t memoryBudget = DefaultMemoryBudget);

    // Picking: append to Highlighted, in ascending order, the index of every entry that meets the criterion.
    enum : std::uint8_t { TermAtStart = 0, TermAtEnd = 1, TermInMiddle = 2, TermAnywhere = 3 };
    enum : std::uint8_t { WordsMoreThan = 0, WordsLessThan = 1, WordsExactly = 2 };
    // One of the terms at the position in the entry, ignoring case (both folded); the middle counts a term's
    // first occurrence only, which must neither begin nor end the entry.
    void HighlightByTerms(const std::vector<std::string>& terms, std::uint8_t position);
    void HighlightByWordCount(int n, std::uint8_t comparison);

    // The texts of every entry, or of the highlighted ones in the order of Highlighted.
    std::vector<std::string_view> AllTexts() const;
    std::vector<std::string_view> HighlightedTexts() const;
    std::size_t TextBytes() const { return arena_.Used() - arena_.Dead(); }

    // Exchanges the entries (not name, settings, sort order or highlight) with another list in constant
    // time; never fails.
    void SwapEntries(TKeyItems& other) noexcept;
    // Moves every entry of other, with the storage of its text, to the end of this list; other is left
    // without entries.
    void TakeEntries(TKeyItems& other);

    // Accounts for text bytes that entries gave up with TKeyItem::PutOver.
    void TextBytesFreed(std::size_t bytes) { arena_.Release(bytes); }
    // Gives the arena back when most of it holds texts that were replaced or deleted.
    void CompactIfWasteful();
    // Copies the texts into a fresh arena in list order.
    void Compact();
    // Makes copy hold these entries (texts, order, cached word counts), their texts packed into one fresh
    // block; copy's own entries go.
    void CopyEntriesTo(TKeyItems& copy) const;
    // The memory the entries take: their records and their texts.
    std::size_t EntriesMemory() const;
    // Whether both lists hold the same texts in the same order.
    bool SameEntries(const TKeyItems& other) const;
    // Appends to into a copy of the entries of the rows (ascending runs inside the list), in order.
    void CopyRows(const std::vector<TRowRun>& rows, TKeyItems& into) const;
    // The rows go from this list to into, which must be empty, in order and with the storage of their texts.
    void TakeRows(const std::vector<TRowRun>& rows, TPackedEntries& into);
    // TakeRows of the rows in Highlighted (ascending), which removed keeps.
    void TakeHighlighted(TRemovedRows& removed);
    // Moves the entries so that row k holds what row from[k] held, or with inverse, back again.
    void Permute(const TLargeVector<std::int32_t>& from, bool inverse);
    // Puts every entry of from, in order, back as the rows of the runs (ascending positions in the list they
    // make), with the storage of their texts; from is left without entries.
    void PutRows(const std::vector<TRowRun>& rows, TKeyItems& from);
    void PutRows(const std::vector<TRowRun>& rows, TPackedEntries& from);

private:
    friend class TPackedEntries;

    void DeleteOneByOne();
    // count entries at the list's end, without texts.
    TKeyItem* AppendEmpty(std::size_t count);
    // Room for count more entries, its pages there.
    void ReserveAtEnd(std::size_t count);
    // PutRows of count entries, the k-th of which take(k) gives, their texts in arena.
    template <class TTake>
    void PutRowsFrom(const std::vector<TRowRun>& rows, std::size_t count, TTextArena& arena, TTake take);
    void DeleteAscending();
    // DeleteAscending that hands each entry to take(TKeyItem&&) instead, its text left in place.
    template <class TTake> void TakeAscending(TTake take);
    void MoveHighlightedTo(TPackedEntries& into);
    // Copies the texts of source, in order, into one fresh block of arena and points the entries of target
    // (as many as source) at them.
    static void PackTexts(const TKeyItemStore& source, TKeyItemStore& target, TTextArena& arena);

    TTextArena arena_;
    TKeyItemStore items_;
};

template <class TFill> void TKeyItems::AddStored(std::size_t count, std::size_t bytes, TFill&& fill) {
    TKeyItem* const rows = AppendEmpty(count);
    std::size_t textBytes = 0;
    try {
        textBytes = fill(rows);
    } catch (...) {
        items_.resize(items_.size() - count);
        throw;
    }
    arena_.Allocate(bytes);
    arena_.Release(bytes - textBytes);
}

// Rows that left a list: the rows they held, and their entries in order.
struct TRemovedRows {
    TKeptRows Rows;
    TPackedEntries Entries;
};
