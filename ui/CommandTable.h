#pragma once

#include "ui/CommandVariants.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TMainFormController;

// The main window's commands, in the order the controller binds them.
enum class TCommandId : std::uint8_t {
    DeleteAll,
    DeleteHighlighted,
    DeleteDuplicates,
    DeleteWordAtAnyWhere,
    DeleteWordAtStart,
    DeleteWordAtEnd,
    DeleteWordAtMiddle,
    DeleteWordCountMore,
    DeleteWordCountLess,
    DeleteWordCountExactly,
    HighlightAll,
    HighlightInvert,
    HighlightNone,
    HighlightWordAtStart,
    HighlightWordAtEnd,
    HighlightWordAtAnyWhere,
    HighlightWordCountMore,
    HighlightWordCountLess,
    HighlightWordCountExactly,
    ConfigFont,
    ConfigUpdates,
    ExportToFile,
    ExportToList,
    ExportToClipboard,
    ExportToClipboardComma,
    ExportToFileHighlighted,
    ExportToListHighlighted,
    ExportToClipboardHighlighted,
    ExportToClipboardCommaHighlighted,
    CleanUnwantedTerms,
    CleanRepeatedSpaces,
    CleanRepeatedCharacters,
    CleanUnwantedCharacters,
    CleanTrailingChars,
    ModifyAddWordsAtStart,
    ModifyAddWordsAtEnd,
    ModifyUpperCase,
    ModifyLowerCase,
    ModifyCamelCase,
    ModifySearchReplace,
    ModifySortAsc,
    ModifySortDesc,
    ModifySortAscWC,
    ModifySortDescWC,
    ModifyGoogleQuote,
    ModifyGoogleBracket,
    ModifyGoogleNone,
    MultiplyReplaceAndDuplicate,
    MultiplyAddWordsStart,
    MultiplyAddWordsEnd,
    MultipleRecombine,
    MultipleGoogleQuote,
    MultipleGoogleBracket,
    MultipleMisspelled,
    // The "Lists" drop-down.
    ListsDeleteFound,
    ListsHighlightFound,
    ListsKeepFound,
    ListsDeleteWordsOf,
    ListsAddMissing,
    ListsDeleteSameWords,
    ListsHighlightLonger,
};
inline constexpr std::size_t CommandCount = 61;

enum class TCommandRule : std::uint8_t {
    // The current list holds an entry.
    NeedsEntries,
    // A row of the list view is selected.
    NeedsHighlight,
    AlwaysEnabled,
};

// The drop-down menus, in the order of their buttons.
enum class TMenuId : std::uint8_t { Delete, Clean, Modify, Multiply, Highlight, Export, Config, Lists };
inline constexpr std::size_t MenuCount = 8;

// Where a command stands in the menus: its line among the menu's commands (1-based, submenus included),
// whether a separator line comes before it, and the submenu that holds it. A separator before a submenu's
// first command goes before the submenu itself.
struct TMenuPlace {
    TMenuId Menu;
    int Line;
    bool SeparatorBefore = false;
    const char* Submenu = nullptr;
};

using TCommandHandler = void (*)(TMainFormController& controller, const TCommandVariant& variant);

// One command: everything the window, its menus and the controller make of it.
struct TCommand {
    TCommandId Id;
    const char* Name;
    const char* Caption;
    TMenuPlace Place;
    TCommandRule Rule;
    // Set on the checkpoint trail just before the command is bound.
    const char* Checkpoint;
    TCommandHandler Handler;
    TCommandVariant Variant;
    const char* Shortcut = nullptr;

    constexpr TCommand WithShortcut(const char* keys) const {
        TCommand command = *this;
        command.Shortcut = keys;
        return command;
    }
};

struct TMenu {
    TMenuId Id;
    const char* Name;
    const char* Button;
};

// The commands in TCommandId order.
std::span<const TCommand> CommandTable();
const TCommand& CommandOf(TCommandId id);
// The drop-down menus in TMenuId order.
std::span<const TMenu> MenuTable();
// The commands of one menu, in line order.
std::vector<const TCommand*> MenuCommands(TMenuId menu);
