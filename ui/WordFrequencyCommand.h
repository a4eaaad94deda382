#pragma once

// The "Word Frequency..." command of the "Lists" drop-down, apart from the command table so that its
// commands keep their order, menus and places.
struct TWordFrequencyCommand {
    const char* Name;
    const char* Caption;
};

inline constexpr TWordFrequencyCommand WordFrequencyCommand{"aListsWordFrequency", "Word Frequency..."};
inline constexpr const char* ListsMenuName = "mnuLists";
// The progress of counting the words.
inline constexpr const char* WordFrequencyCountName = "Lists Word Frequency";
// The undo levels of what the dialog's buttons do.
inline constexpr const char* WordFrequencyHighlightName = "Lists Word Frequency Highlight";
inline constexpr const char* WordFrequencySendName = "Lists Word Frequency Send To List";
