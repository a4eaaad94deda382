#include "ParameterDialogWindows.h"

#include "AddWordDialog.h"
#include "AskWordsDialog.h"
#include "CharactersDialog.h"
#include "EnsureForm.h"
#include "SearchReplaceDialog.h"
#include "WordCountDialog.h"

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
