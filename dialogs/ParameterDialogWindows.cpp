#include "dialogs/ParameterDialogWindows.h"

#include "dialogs/AddWordDialog.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/WordCountDialog.h"

bool TParameterDialogWindows::RunCharacters(TCharSet& characters) {
    EnsureForm(frmCharacters);
    return frmCharacters->Execute(characters);
}

bool TParameterDialogWindows::RunSearchReplace(std::string& find, std::string& replacement,
                                               TRecentList& searchList, TRecentList& replaceList) {
    EnsureForm(frmSearchReplace);
    return frmSearchReplace->Execute(find, replacement, searchList, replaceList);
}

bool TParameterDialogWindows::RunAddWord(std::string& word, TRecentList& recent) {
    EnsureForm(frmAddWord);
    return frmAddWord->Execute(word, recent);
}

int TParameterDialogWindows::RunWordCount(const std::string& title) {
    EnsureForm(frmWordCount);
    return frmWordCount->Execute(title);
}

bool TParameterDialogWindows::RunAskWords(const std::string& title, std::vector<std::string>& lines) {
    EnsureForm(frmAskWords);
    return frmAskWords->Execute(title, lines);
}
