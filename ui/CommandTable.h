#pragma once

#include <vector>

// One command of the main window: its name and menu caption.
struct TCommandInfo {
    const char* Name;
    const char* Caption;
    const char* Shortcut;
};

// One line of a drop-down menu: a command, or a separator when Command is null; Submenu names the submenu
// that holds the line, null for the menu itself.
struct TMenuLine {
    const char* Submenu;
    const char* Command;
};

struct TMenuInfo {
    const char* Name;
    const char* Button;
    std::vector<TMenuLine> Lines;
};

// The 54 commands, in menu order.
const std::vector<TCommandInfo>& CommandTable();
// The seven drop-down menus and the buttons that open them.
const std::vector<TMenuInfo>& MenuTable();
const TCommandInfo* FindCommandInfo(const char* name);
