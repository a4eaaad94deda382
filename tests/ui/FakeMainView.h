#pragma once

#include "core/Clipboard.h"
#include "core/IntList.h"
#include "core/KeyItems.h"
#include "core/ListSettings.h"
#include "frame/ManagementLayer.h"
#include "frame/ParameterDialogs.h"
#include "ui/Action.h"
#include "ui/ActionList.h"
#include "ui/CommandTable.h"
#include "ui/ControlledForm.h"
#include "ui/ControllerDialogs.h"
#include "ui/EditCommands.h"
#include "ui/MainView.h"
#include "ui/WordFrequencyCommand.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A main window without a screen: the commands of the command table, a list view that keeps its selection
// in a byte per row, and message boxes and file dialogs that record what was asked and answer from a queue.
class TFakeMainView : public TMainViewForm {
public:
    struct TAsked {
        std::string Text;
        TMsgButtons Buttons;
        TMsgIcon Icon;
    };

    TFakeMainView() {
        for (const TCommand& command : CommandTable()) {
            auto* action = new TAction(command.Name, &commands_);
            action->setText(command.Caption);
            commands_.Add(action);
        }
        for (const TEditCommand& command : EditCommands) {
            auto* action = new TAction(command.Name, &commands_);
            action->setText(command.Caption);
            commands_.Add(action);
        }
        auto* wordFrequency = new TAction(WordFrequencyCommand.Name, &commands_);
        wordFrequency->setText(WordFrequencyCommand.Caption);
        commands_.Add(wordFrequency);
    }

    TActionList& Commands() override { return commands_; }
    void ShowListTabs(const std::vector<std::string>& names, int current) override {
        tabs = names;
        currentTab = current;
    }
    void LoadButtonImages() override { ++imagesLoaded; }
    void AttachMenus() override { ++menusAttached; }

    void SetRowCount(int count) override {
        rowCountCalls.push_back(count);
        if (count == 0)
            selection_.clear();
        selection_.resize(static_cast<std::size_t>(count), 0);
    }
    int RowCount() const override { return static_cast<int>(selection_.size()); }
    void InvalidateRows() override { ++invalidations; }
    void ClearSelection() override { std::fill(selection_.begin(), selection_.end(), 0); }
    int SelectedCount() const override {
        return static_cast<int>(std::count(selection_.begin(), selection_.end(), 1));
    }
    std::vector<int> SelectedRows() const override {
        std::vector<int> rows;
        for (std::size_t i = 0; i < selection_.size(); ++i)
            if (selection_[i])
                rows.push_back(static_cast<int>(i));
        return rows;
    }
    std::vector<TRowRun> SelectedRuns() const override { return RunsOf(SelectedRows()); }
    bool RowSelected(int row) const override { return selection_.at(static_cast<std::size_t>(row)) != 0; }
    void SetRowSelected(int row, bool selected) override {
        selection_.at(static_cast<std::size_t>(row)) = selected;
    }
    void SelectAll() override { std::fill(selection_.begin(), selection_.end(), 1); }
    void InvertSelection() override {
        for (auto& s : selection_)
            s = !s;
    }
    void SelectOnly(const TIntList& rows) override {
        ClearSelection();
        for (int row : rows)
            SetRowSelected(row, true);
    }
    void SelectRuns(const std::vector<TRowRun>& runs) override {
        ClearSelection();
        for (const TRowRun& run : runs)
            for (int row = run.First; row < std::min(run.First + run.Count, RowCount()); ++row)
                SetRowSelected(row, true);
    }

    int ColumnCount() const override { return 2; }
    int ColumnWidth(int column) const override { return widths_.at(static_cast<std::size_t>(column)); }
    void SetColumnWidth(int column, int width) override {
        widths_.at(static_cast<std::size_t>(column)) = width;
    }
    void SetListFont(const TFontSpec& font) override { fonts.push_back(font); }

    TMsgResult Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) override {
        asked.push_back({text, buttons, icon});
        if (answers.empty())
            return buttons == TMsgButtons::YesNo ? TMsgResult::Yes : TMsgResult::Ok;
        const TMsgResult answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseSaveFile(const std::string& folder) override {
        foldersOffered.push_back(folder);
        return chosenFile;
    }
    std::optional<std::string> ChooseOpenFile(const std::string& folder) override {
        foldersOffered.push_back(folder);
        return chosenFile;
    }

    // Cancels at the report numbered cancelAt (from 1), when that is offered; 0 never cancels.
    bool ShowProgress(const std::string& caption, double fraction, bool cancellable) override {
        progressCaption = caption;
        progressFractions.push_back(fraction);
        if (onProgress)
            onProgress();
        const bool cancel = cancellable && static_cast<int>(progressFractions.size()) == cancelAt;
        cancelOffered = cancellable;
        return cancel;
    }
    void EndProgress() override { ++progressEnds; }

    std::vector<std::string> tabs;
    int currentTab = -1;
    int imagesLoaded = 0;
    int menusAttached = 0;
    int invalidations = 0;
    std::vector<int> rowCountCalls;
    std::vector<TFontSpec> fonts;
    std::vector<TAsked> asked;
    std::deque<TMsgResult> answers;
    std::optional<std::string> chosenFile;
    std::vector<std::string> foldersOffered;
    std::string progressCaption;
    std::vector<double> progressFractions;
    bool cancelOffered = false;
    int cancelAt = 0;
    int progressEnds = 0;
    // Runs at every report, as the window's events would.
    std::function<void()> onProgress;

private:
    TActionList commands_;
    std::vector<char> selection_;
    std::array<int, 2> widths_{100, 273};
};

class TFakeClipboard : public IClipboard {
public:
    bool SetText(std::string_view value) override {
        text = value;
        return reachable;
    }
    std::string text;
    bool reachable = true;
};

// Dialogs that answer what the test queued; the parameter dialogs run through the management layer's entry
// points, as the program's do, so that its parameter dialogs (fakes or windows) answer them.
class TFakeControllerDialogs : public IControllerDialogs {
public:
    bool RunAddWords(TAddWordsResult& result) override {
        shown.push_back("add words");
        if (!confirm)
            return false;
        result = addWords;
        return true;
    }
    bool RunSelectList(TSelectListResult& result) override {
        shown.push_back("select list");
        if (!confirm)
            return false;
        result = selectList;
        return true;
    }
    TKeyItems* ChooseOtherList(const std::string& title) override {
        shown.push_back(title);
        return confirm ? otherList : nullptr;
    }
    bool RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) override {
        shown.push_back("combine words");
        combineRequest = request;
        if (!confirm)
            return false;
        result = multiply;
        return true;
    }
    bool RunMisspellings(bool anyHighlighted, TMultiplyResult& result) override {
        shown.push_back("misspellings");
        misspellingsHighlighted = anyHighlighted;
        if (!confirm)
            return false;
        result = multiply;
        return true;
    }
    TFileEncodings encodings;
    bool RunColorsAndFont(TKeyItems& list, TFileEncodings& chosen) override {
        shown.push_back("colors and font");
        if (!confirm)
            return false;
        list.Settings.Font = font;
        list.Settings.SetColor(3, 0x00FF00);
        chosen = encodings;
        return true;
    }
    void RunAbout() override { shown.push_back("about"); }
    bool RunWordFrequency(const TCountWordRuns& count, TWordFrequencyResult& result) override {
        shown.push_back("word frequency");
        wordFrequencyCounts = count(1);
        if (!confirm)
            return false;
        result = wordFrequency;
        return true;
    }
    void CheckForUpdates() override {
        shown.push_back("update check");
        ++updateChecks;
    }
    bool AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) override {
        return Management().AskWords(title, lines, upperCase);
    }
    int AskWordCount(const std::string& title) override { return Management().AskWordCount(title); }
    int AskCharacterCount(const std::string& title, int defaultCount) override {
        shown.push_back(title + " " + std::to_string(defaultCount));
        return confirm ? characterCount : 0;
    }
    bool AskCharacters(TCharSet& characters) override { return Management().AskCharacters(characters); }
    bool AskWord(std::string& word) override { return Management().AskWord(word); }
    bool AskSearchReplace(std::string& find, std::string& replacement) override {
        return Management().AskSearchReplace(find, replacement);
    }

    // The layer whose entry points run the parameter dialogs.
    TManagementLayer* management = nullptr;
    bool confirm = true;
    int updateChecks = 0;
    // The dialogs run, in order.
    std::vector<std::string> shown;
    TAddWordsResult addWords;
    TSelectListResult selectList;
    TKeyItems* otherList = nullptr;
    int characterCount = 80;
    TMultiplyResult multiply;
    TCombineWordsRequest combineRequest;
    bool misspellingsHighlighted = false;
    TWordFrequencyResult wordFrequency;
    // The list whose words the word-frequency dialog counted.
    // What the dialog would have shown first.
    std::optional<std::vector<TWordCount>> wordFrequencyCounts;
    TFontSpec font{"Tahoma", 11, 0, 0};

private:
    TManagementLayer& Management() const { return *management; }
};

// Parameter dialogs of the management layer that answer what the test queued.
class TFakeParameterDialogs : public IParameterDialogs {
public:
    bool RunCharacters(TCharSet& result) override {
        titles.push_back("characters");
        if (confirm)
            result = characters;
        return confirm;
    }
    bool RunSearchReplace(std::string& find, std::string& replacement, TRecentList&, TRecentList&) override {
        titles.push_back("search");
        if (confirm) {
            find = this->find;
            replacement = this->replacement;
        }
        return confirm;
    }
    bool RunAddWord(std::string& result, TRecentList&) override {
        titles.push_back("word");
        if (confirm)
            result = word;
        return confirm;
    }
    int RunWordCount(const std::string& title) override {
        titles.push_back(title);
        return confirm ? wordCount : 0;
    }
    bool RunAskWords(const std::string& title, std::vector<std::string>& result) override {
        titles.push_back(title);
        if (confirm)
            result = lines;
        return confirm;
    }

    bool confirm = true;
    TCharSet characters;
    std::string find, replacement, word;
    int wordCount = 1;
    std::vector<std::string> lines;
    std::vector<std::string> titles;
};
