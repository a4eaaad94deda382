#pragma once

#include "ui/CommandTable.h"

#include <array>
#include <cstdint>
#include <string>

// The commands of the "Edit" drop-down, apart from the command table so that its commands keep their
// order, menus and places.
struct TEditCommand {
    const char* Name;
    // Shown while there is nothing to step; otherwise followed by what the step undoes or redoes.
    const char* Caption;
    std::array<const char*, 2> Shortcuts;
};

inline constexpr TEditCommand UndoCommand{"aEditUndo", "Undo", {"Ctrl+Z", nullptr}};
inline constexpr TEditCommand RedoCommand{"aEditRedo", "Redo", {"Ctrl+Shift+Z", "Ctrl+Y"}};
inline constexpr std::array<TEditCommand, 2> EditCommands = {UndoCommand, RedoCommand};
inline constexpr const char* EditMenuName = "mnuEdit";
inline constexpr const char* EditButtonName = "btnEdit";

// What a command of the table changes, and so what its undo level keeps.
enum class TListChange : std::uint8_t {
    Nothing,
    // The current list's highlighted rows only.
    Highlight,
    // The current list's entries, and with them its highlight and sort order.
    Entries,
    // The order of the current list's entries, by its sort alone.
    Order,
    // The texts of some of the current list's entries, by the rewrites of entries alone.
    Texts,
    // The current list's duplicate entries go, by its removal of duplicates alone.
    Duplicates,
    // The current list's entries all go, by its clearing alone.
    Cleared,
    // The current list's highlighted entries go, and nothing else changes.
    HighlightedRows,
    // The list that the command's dialog chooses; the handler names it before changing it.
    ChosenList,
};

TListChange ChangeOf(const TCommand& command);
// The command's place in the menus, as an undo level's name: "Modify Convert To Lowercase".
std::string UndoNameOf(const TCommand& command);
// The name of the sort command of that order.
std::string UndoNameOf(TSortOrder order);
