#include "ui/RealControllerDialogs.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/AddWordsDialog.h"
#include "dialogs/CombineWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/SelectListDialog.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/WordCountDialog.h"
#include "dialogs/WordFrequencyDialog.h"
#include "frame/ManagementLayer.h"
#include "ui/UpdateCheck.h"

namespace {

constexpr int MaxCharacterCount = 100000;

} // namespace

void TProgramDialogs::SetMainWindow(QWidget* window) {
    mainWindow_ = window;
    parameters_.SetMainWindow(window);
}

bool TProgramDialogs::RunAddWords(TAddWordsResult& result) {
    std::vector<std::string> lines;
    bool append = false;
    if (!DialogFor(addWords_, mainWindow_).Execute(lines, append))
        return false;
    result = {std::move(lines), append};
    return true;
}

bool TProgramDialogs::RunSelectList(TSelectListResult& result) {
    bool emptyFirst = false;
    TKeyItems* list = DialogFor(selectList_, mainWindow_).Execute(lists_, emptyFirst);
    if (!list)
        return false;
    result = {list, emptyFirst};
    return true;
}

TKeyItems* TProgramDialogs::ChooseOtherList(const std::string& title) {
    return DialogFor(otherList_, mainWindow_).ChooseOther(lists_, title);
}

bool TProgramDialogs::RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) {
    std::uint8_t source = 0;
    TKeyItems* target = nullptr;
    int limit = request.WordLimit;
    std::vector<std::string> words;
    if (!DialogFor(combineWords_, mainWindow_)
             .Execute(lists_, request.AnyHighlighted, source, target, limit, words))
        return false;
    result = {static_cast<TWordSource>(source), target, limit, std::move(words)};
    return true;
}

bool TProgramDialogs::RunMisspellings(bool anyHighlighted, TMultiplyResult& result) {
    std::uint8_t source = 0;
    TKeyItems* target = nullptr;
    std::uint8_t kinds = 0;
    std::vector<std::string> words;
    if (!DialogFor(misspelled_, mainWindow_).Execute(lists_, anyHighlighted, source, target, kinds, words))
        return false;
    result = {static_cast<TWordSource>(source), target, kinds, std::move(words)};
    return true;
}

bool TProgramDialogs::RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) {
    TKeepingSettings keeping{management_.KeepLists, management_.UndoMemory, management_.AutomaticUndoMemory};
    if (!DialogFor(settings_, mainWindow_).Execute(list, encodings, keeping))
        return false;
    management_.KeepLists = keeping.KeepLists;
    management_.UndoMemory = keeping.UndoMemory;
    return true;
}

void TProgramDialogs::RunAbout() {
    DialogFor(about_, mainWindow_).ShowModally(management_);
}

bool TProgramDialogs::RunWordFrequency(const TCountWordRuns& count, TWordFrequencyResult& result) {
    return DialogFor(wordFrequency_, mainWindow_).Execute(count, result.Words, result.SendToList);
}

void TProgramDialogs::CheckForUpdates() {
    ::CheckForUpdates(boxes_, mainWindow_);
}

bool TProgramDialogs::AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) {
    return management_.AskWords(title, lines, upperCase);
}

int TProgramDialogs::AskWordCount(const std::string& title) {
    return management_.AskWordCount(title);
}

int TProgramDialogs::AskCharacterCount(const std::string& title, int defaultCount) {
    // Apart from the word-count dialog, which keeps its own last count and range.
    const bool made = EnsureForm(characterCount_);
    TfrmWordCount& dialog = DialogFor(characterCount_, mainWindow_);
    if (made)
        dialog.AskFor(" Select the number of characters ", MaxCharacterCount, defaultCount);
    return dialog.Execute(title);
}

bool TProgramDialogs::AskCharacters(TCharSet& characters) {
    return management_.AskCharacters(characters);
}

bool TProgramDialogs::AskWord(std::string& word) {
    return management_.AskWord(word);
}

bool TProgramDialogs::AskSearchReplace(std::string& find, std::string& replacement) {
    return management_.AskSearchReplace(find, replacement);
}
