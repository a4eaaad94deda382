#include "ui/RealControllerDialogs.h"

#include "dialogs/AboutDialog.h"
#include "dialogs/AddWordsDialog.h"
#include "dialogs/CombineWordsDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/SelectListDialog.h"
#include "dialogs/SettingsDialog.h"
#include "frame/ManagementLayer.h"
#include "ui/UpdateCheck.h"

bool TProgramDialogs::RunAddWords(TAddWordsResult& result) {
    EnsureForm(frmAddWords);
    std::vector<std::string> lines;
    bool append = false;
    if (!frmAddWords->Execute(lines, append))
        return false;
    result = {std::move(lines), append};
    return true;
}

bool TProgramDialogs::RunSelectList(TSelectListResult& result) {
    EnsureForm(frmSelectList);
    bool emptyFirst = false;
    TKeyItems* list = frmSelectList->Execute(emptyFirst);
    if (!list)
        return false;
    result = {list, emptyFirst};
    return true;
}

bool TProgramDialogs::RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) {
    EnsureForm(frmCombineWords);
    std::uint8_t source = 0;
    TKeyItems* target = nullptr;
    int limit = request.WordLimit;
    std::vector<std::string> words;
    if (!frmCombineWords->Execute(request.AnyHighlighted, source, target, limit, words))
        return false;
    result = {static_cast<TWordSource>(source), target, limit, std::move(words)};
    return true;
}

bool TProgramDialogs::RunMisspellings(bool anyHighlighted, TMultiplyResult& result) {
    EnsureForm(frmMisspelled);
    std::uint8_t source = 0;
    TKeyItems* target = nullptr;
    std::uint8_t kinds = 0;
    std::vector<std::string> words;
    if (!frmMisspelled->Execute(anyHighlighted, source, target, kinds, words))
        return false;
    result = {static_cast<TWordSource>(source), target, kinds, std::move(words)};
    return true;
}

bool TProgramDialogs::RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) {
    EnsureForm(frmSettings);
    return frmSettings->Execute(list, encodings);
}

void TProgramDialogs::RunAbout() {
    EnsureForm(frmAbout);
    frmAbout->ShowModally();
}

void TProgramDialogs::CheckForUpdates() {
    ::CheckForUpdates();
}

bool TProgramDialogs::AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) {
    return management_.AskWords(title, lines, upperCase);
}

int TProgramDialogs::AskWordCount(const std::string& title) {
    return management_.AskWordCount(title);
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
