#include "dialogs/ParameterDialogWindows.h"

#include "dialogs/AddWordDialog.h"
#include "dialogs/AskWordsDialog.h"
#include "dialogs/CharactersDialog.h"
#include "dialogs/EnsureForm.h"
#include "dialogs/SearchReplaceDialog.h"
#include "dialogs/WordCountDialog.h"

bool TParameterDialogWindows::RunCharacters(TCharSet& characters) {
    return DialogFor(characters_, mainWindow_).Execute(characters);
}

bool TParameterDialogWindows::RunSearchReplace(std::string& find, std::string& replacement,
                                               TRecentList& searchList, TRecentList& replaceList) {
    return DialogFor(searchReplace_, mainWindow_).Execute(find, replacement, searchList, replaceList);
}

bool TParameterDialogWindows::RunAddWord(std::string& word, TRecentList& recent) {
    return DialogFor(addWord_, mainWindow_).Execute(word, recent);
}

int TParameterDialogWindows::RunWordCount(const std::string& title) {
    return DialogFor(wordCount_, mainWindow_).Execute(title);
}

bool TParameterDialogWindows::RunAskWords(const std::string& title, std::vector<std::string>& lines) {
    return DialogFor(askWords_, mainWindow_).Execute(title, lines);
}
