#pragma once

#include "ApplicationLook.h"
#include "ControllerDialogs.h"
#include "FormController.h"
#include "MessageBox.h"

#include <cstddef>
#include <string>
#include <vector>

class IMainView;
class TButtonEx;
class TIntList;
class TKeyItems;

// The controller of the main window: binds the window's 54 commands to enable rules and handlers, runs the
// parameter dialogs, calls the operations on the current keyword list, refreshes the list view and reports
// the outcome. It owns the list tabs. It sees the window only through IMainView and its dialogs only through
// IControllerDialogs, so it runs without a screen.
class TMainFormController : public TFormController {
public:
    // formClass makes the main window, which must implement IMainView.
    TMainFormController(const TFormClass& formClass, IControllerDialogs& dialogs);
    ~TMainFormController() override;

    IMainView* ListView = nullptr;
    std::vector<TButtonEx*> TabButtons;

    TKeyItems* CurrentList() const;
    void RefreshView(bool resetCount, bool clearHighlight);
    void CollectHighlighted(TIntList& highlighted) const;
    void CollectHighlightedTexts(std::vector<std::string>& texts) const;
    void ApplySort(int order);

    TKeyItems& AddListTab(bool select);
    void SelectTab(TButtonEx* tab);
    void SwitchToList(TKeyItems& list);

    // The window's own buttons and events.
    void AddKeywords();
    void Import();
    void SortByColumn(int column);
    void ResetView();
    // Gives the list view the current list's font (after the stored settings were loaded).
    void ApplyCurrentListFont();
    void ShowAbout();

    // Bytes a multiplying command may claim; by default a share of the memory available when it runs.
    void SetMemoryBudget(std::size_t bytes) { memoryBudget_ = bytes; }

private:
    using THandler = void (TMainFormController::*)(int variant);
    enum class TRule { NeedsEntries, NeedsHighlight, AlwaysEnabled };
    struct TBinding {
        const char* Name;
        const char* Checkpoint;
        TRule Rule;
        THandler Handler;
        int Variant;
    };
    static const std::vector<TBinding>& Bindings();

    void BindCommands();
    bool RuleAllows(TRule rule) const;
    TKeyItems& List() const;
    std::size_t MemoryBudget() const;
    TMsgResult Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) const;
    void Select(const TIntList& rows);
    void ReportClipboard(bool placed) const;

    void DeleteAllEntries(int variant);
    void DeleteHighlightedEntries(int variant);
    void DeleteDuplicateEntries(int variant);
    void DeleteEntriesWithTerms(int position);
    void DeleteEntriesByWordCount(int comparison);
    void HighlightAllEntries(int variant);
    void InvertHighlight(int variant);
    void ClearHighlight(int variant);
    void HighlightEntriesWithTerms(int position);
    void HighlightEntriesByWordCount(int comparison);
    void CleanUnwantedTerms(int variant);
    void CleanRepeatedSpaces(int variant);
    void CleanRepeatedCharacters(int variant);
    void CleanUnwantedCharacters(int variant);
    void CleanTrailingChars(int variant);
    void AddWordsToEntries(int variant);
    void ChangeCase(int variant);
    void SearchAndReplace(int variant);
    void SortEntries(int order);
    void ChangeMatchType(int matchType);
    void AddMatchTypeVariants(int matchType);
    void RecombineEntries(int variant);
    void CreateMisspellings(int variant);
    void ExportToTextFile(int variant);
    void ExportToList(int variant);
    void ExportToClipboard(int variant);
    void ExportToClipboardComma(int variant);
    void EditColorsAndFont(int variant);
    void CheckForUpdates(int variant);

    // The words that combining or misspelling works on, by the source the dialog returned.
    std::vector<std::string> SourceWords(const TMultiplyResult& choice) const;

    IControllerDialogs& dialogs_;
    std::size_t memoryBudget_ = 0;
};

// The single instance, alive while the main window exists.
extern TMainFormController* MainFormController;

inline constexpr const char* MainWindowCaption = "Pellox Termwright V " PT_VERSION " [Pellox Marketing LTD]";
