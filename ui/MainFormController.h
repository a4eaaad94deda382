#pragma once

#include "core/UndoHistory.h"
#include "dialogs/ApplicationLook.h"
#include "frame/MessageBoxService.h"
#include "ui/CommandScope.h"
#include "ui/CommandTable.h"
#include "ui/ControllerDialogs.h"
#include "ui/FormController.h"
#include "ui/MainView.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class IClipboard;
class TBusinessLogicLayer;
class TIntList;
class TKeyItems;
class TManagementLayer;
class TUndoStep;
struct TImportResult;

// The collaborators of the main-window controller, made before it and outliving it.
struct TControllerServices {
    TBusinessLogicLayer& Lists;
    TManagementLayer& Management;
    IControllerDialogs& Dialogs;
    IClipboard& Clipboard;
};

// The controller of the main window: binds the window's commands (the command table) to their enable rules
// and handlers, runs the parameter dialogs, calls the operations on the current keyword list, refreshes the
// list view and reports the outcome. It decides which list tabs there are. It sees the window only through
// IMainView and its dialogs only through IControllerDialogs, so it runs without a screen.
class TMainFormController : public TFormController, public IMainViewEvents {
public:
    TMainFormController(const TMainViewClass& viewClass, const TControllerServices& services);
    ~TMainFormController() override;

    IMainView* MainView = nullptr;

    TKeyItems* CurrentList() const;
    void RefreshView(bool resetCount, bool clearHighlight);
    void CollectHighlighted(TIntList& highlighted) const;
    void CollectHighlightedTexts(std::vector<std::string>& texts) const;
    void ApplySort(TSortOrder order);

    TKeyItems& AddListTab(bool select);
    void SwitchToList(TKeyItems& list);

    // The window's own buttons and events.
    void SelectListTab(int index) override;
    void AddKeywords() override;
    void Import() override;
    void ImportFiles(const std::vector<std::string>& paths) override;
    void ShowAbout() override;
    void OpenHomePage() override;
    void SortByColumn(int column) override;
    void ResetView() override;
    // Gives the list view the current list's font (after the stored settings were loaded).
    void ApplyCurrentListFont();

    // The list changed outside any command: its undo levels no longer lead back.
    void ForgetUndoOf(const TKeyItems& list) { undo_.Forget(list); }

    // Bytes a multiplying command may claim; by default a share of the memory available when it runs.
    void SetMemoryBudget(std::size_t bytes) { memoryBudget_ = bytes; }

    // The commands run by this controller: every change of a list happens inside one.
    TCommandBrackets& Commands() { return commands_; }

private:
    friend struct TCommandRows;
    friend class TUndoStep;

    void BindCommands();
    // Binds the window's command name to run, bracketed as a command.
    void BindCommand(const char* name, std::function<void()> run, TAction::THandler update);
    void ShowListTabs(int current) const;
    void BindEditCommands();
    void BindWordFrequencyCommand();
    void RunCommand(const TCommand& command);
    // A command that changes the list its dialog chose calls this before changing it: false when the user
    // would rather not run the command without undo.
    bool KeepUndoOf(TKeyItems& list);
    // The highlight the list shows: none unless it is the current list.
    std::vector<TRowRun> HighlightOf(const TKeyItems& list) const;
    // Bytes all undo levels may take together: the setting, or by default a share of the memory budget.
    std::size_t UndoBudget() const;
    std::size_t AutomaticUndoBudget() const;
    void StepHistory(bool back);
    bool RuleAllows(TCommandRule rule) const;
    TKeyItems& List() const;
    std::size_t MemoryBudget() const;
    TMsgResult Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) const;
    void Select(const TIntList& rows);
    void ReportClipboard(bool placed) const;
    // Appends one keyword file to the list, as the import settings read it.
    TImportResult ReadImport(const std::string& path, TKeyItems& list);

    // The command handlers; the command table binds them.
    void DeleteAllEntries();
    void DeleteHighlightedEntries();
    void DeleteDuplicateEntries();
    void DeleteEntriesWithTerms(TTermPosition position);
    void DeleteEntriesByWordCount(TWordComparison comparison);
    void HighlightAllEntries();
    void InvertHighlight();
    void ClearHighlight();
    void HighlightEntriesWithTerms(TTermPosition position);
    void HighlightEntriesByWordCount(TWordComparison comparison);
    void CleanUnwantedTerms();
    void CleanRepeatedSpaces();
    void CleanRepeatedCharacters();
    void CleanUnwantedCharacters();
    void CleanTrailingChars();
    void AddWordsToEntries(TWordPlacement placement);
    void ChangeCase(TCaseChange change);
    void SearchAndReplace(TReplaceMode mode);
    void SortEntries(TSortOrder order);
    void ChangeMatchType(TMatchType matchType);
    void AddMatchTypeVariants(TMatchType matchType);
    void RecombineEntries();
    void CreateMisspellings();
    void ExportToTextFile(TExportScope scope);
    void ExportToList(TExportScope scope);
    void ExportToClipboard(TExportScope scope);
    void ExportToClipboardComma(TExportScope scope);
    void EditColorsAndFont();
    void CheckForUpdates();
    void CompareWithList(TListComparison comparison);
    void DeleteSameWordsInOtherOrder();
    // The count of removed duplicates, as both duplicate commands tell it; the view refreshes first.
    void ShowDuplicatesRemoved(int removed, const char* checkpoint);
    void HighlightLongEntries();
    void ShowWordFrequency();
    void HighlightEntriesHolding(const std::vector<std::string>& words);
    void SendWordsToList(const std::vector<std::string>& words);

    // The words that combining or misspelling works on, by the source the dialog returned.
    std::vector<std::string> SourceWords(const TMultiplyResult& choice) const;

    TBusinessLogicLayer& lists_;
    TManagementLayer& management_;
    IControllerDialogs& dialogs_;
    IClipboard& clipboard_;
    std::size_t memoryBudget_ = 0;
    TCommandBrackets commands_;
    TUndoHistory undo_{0};
    // The undo levels of the command that runs; null between commands.
    TUndoStep* undoStep_ = nullptr;
};

inline constexpr const char* MainWindowCaption = "Pellox Termwright V " PT_VERSION " [Pellox Marketing LTD]";
