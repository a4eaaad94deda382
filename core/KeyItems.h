#pragma once

#include "IntList.h"
#include "KeyItem.h"
#include "ListSettings.h"
#include "TextArena.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One keyword list: owned entries in display order, its name, display settings, last sort order and the
// indices of the entries that the current operation treats as highlighted (ascending, filled by the caller).
// References to entries stay valid until the next operation that adds or removes entries.
class TKeyItems {
public:
    TIntList Highlighted;
    std::string Name;
    TListSettings Settings;
    std::uint8_t SortOrder = 0;

    TKeyItems() = default;
    TKeyItems(const TKeyItems&) = delete;
    TKeyItems& operator=(const TKeyItems&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TKeyItem& GetKeyItem(int index);
    const TKeyItem& GetKeyItem(int index) const;
    TKeyItem& AddKeyword(std::string_view text);
    // Prepares room for entries and text bytes about to be added, so a large load grows storage once.
    void Reserve(std::size_t entries, std::size_t textBytes);
    void Clear();
    void DeleteHighlighted();
    int RemoveDuplicates();
    void SortBy(std::uint8_t order);

    // The clipboard exports answer whether the clipboard now holds the text.
    bool AllToCommaText() const;
    bool HighlightedToCommaText() const;
    bool AllToLines() const;
    bool HighlightedToLines() const;
    void AllToTextFile(const std::string& path) const;
    void HighlightedToTextFile(const std::string& path) const;
    void AllToList(TKeyItems& target) const;
    void HighlightedToList(TKeyItems& target) const;

    // The texts of every entry, or of the highlighted ones in the order of Highlighted.
    std::vector<std::string_view> AllTexts() const;
    std::vector<std::string_view> HighlightedTexts() const;
    std::size_t TextBytes() const { return arena_.Used() - arena_.Dead(); }

    // Gives the arena back when most of it holds texts that were replaced or deleted.
    void CompactIfWasteful();

private:
    void DeleteOneByOne();
    void DeleteAscending();

    TTextArena arena_;
    std::vector<TKeyItem> items_;
};
