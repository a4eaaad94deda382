#pragma once

#include "core/RowRuns.h"
#include "frame/MessageBoxService.h"
#include "ui/ControlledForm.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class ICommandObserver;
class TActionList;
class TIntList;
struct TFontSpec;

// What the command controller needs of the main window: its commands and controls, and the operations of its
// virtual list view. The real window implements it; tests implement it with a window-less fake.
class IMainView {
public:
    virtual ~IMainView() = default;

    // The window's commands, one per name of the command table.
    virtual TActionList& Commands() = 0;
    // One tab per list, captioned with its name; the current one is pressed and lies on top.
    virtual void ShowListTabs(const std::vector<std::string>& names, int current) = 0;
    // Fills the button image strips from the program's artwork.
    virtual void LoadButtonImages() = 0;
    // Gives each drop-down button its menu.
    virtual void AttachMenus() = 0;

    virtual void SetRowCount(int count) = 0;
    virtual int RowCount() const = 0;
    virtual void InvalidateRows() = 0;
    virtual void ClearSelection() = 0;
    virtual int SelectedCount() const = 0;
    // Ascending.
    virtual std::vector<int> SelectedRows() const = 0;
    // The same as runs: few for a selection of few runs, however many rows it holds.
    virtual std::vector<TRowRun> SelectedRuns() const = 0;
    virtual bool RowSelected(int row) const = 0;
    virtual void SetRowSelected(int row, bool selected) = 0;
    // Batch forms of the above, linear in the row count.
    virtual void SelectAll() = 0;
    virtual void InvertSelection() = 0;
    // Selects exactly these rows (ascending), dropping any other selection.
    virtual void SelectOnly(const TIntList& rows) = 0;
    // SelectOnly for the rows of ascending runs, as far as the view holds them.
    virtual void SelectRuns(const std::vector<TRowRun>& runs) = 0;

    virtual int ColumnCount() const = 0;
    virtual int ColumnWidth(int column) const = 0;
    virtual void SetColumnWidth(int column, int width) = 0;
    virtual void SetListFont(const TFontSpec& font) = 0;

    // A modal message box owned by the window, captioned with the application title.
    virtual TMsgResult Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) = 0;
    // The save or open dialog opened on a folder (UTF-8); nothing when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const std::string& folder) = 0;
    virtual std::optional<std::string> ChooseOpenFile(const std::string& folder) = 0;

    // A long command has done that fraction of its work; called often while it runs. True once the user
    // asked to cancel it, which cancellable false does not offer.
    virtual bool ShowProgress(const std::string& caption, double fraction, bool cancellable) = 0;
    // The command that showed progress has ended, or is about to ask the user something.
    virtual void EndProgress() = 0;
    // What must hear the window's commands start and end, since it reads the list meanwhile; null if none.
    virtual ICommandObserver* CommandObserver() { return nullptr; }
};

// What the main window reports of the user's actions to its controller.
class IMainViewEvents {
public:
    virtual ~IMainViewEvents() = default;
    virtual void SelectListTab(int index) = 0;
    virtual void AddKeywords() = 0;
    virtual void Import() = 0;
    // Files dropped on the window, imported one after the other as Import imports one.
    virtual void ImportFiles(const std::vector<std::string>& paths) = 0;
    virtual void ShowAbout() = 0;
    virtual void OpenHomePage() = 0;
    virtual void SortByColumn(int column) = 0;
    // The list view failed to draw; it is drawn afresh.
    virtual void ResetView() = 0;
};

// The main window as its controller makes it.
class TMainViewForm : public TControlledForm, public IMainView {
public:
    // Set by the controller that made this window; not owned.
    IMainViewEvents* Events = nullptr;
};

using TMainViewClass = std::function<TMainViewForm*()>;
