#pragma once

#include "core/CharSet.h"
#include "frame/RecentList.h"

#include <string>
#include <vector>

// The parameter dialogs that the management layer runs. Each method makes its dialog on first use, keeps
// it until the program ends, runs it modally and returns its result; texts are in the code page. Out
// arguments change only when the dialog was confirmed.
class IParameterDialogs {
public:
    virtual ~IParameterDialogs() = default;
    // Unwanted characters: true with the set when confirmed.
    virtual bool RunCharacters(TCharSet& characters) = 0;
    // Find and replacement texts; both recent lists are edited in place on confirmation.
    virtual bool RunSearchReplace(std::string& find, std::string& replacement, TRecentList& searchList,
                                  TRecentList& replaceList) = 0;
    // One word or fragment; the recent list is edited in place on confirmation.
    virtual bool RunAddWord(std::string& word, TRecentList& recent) = 0;
    // A word count of 1 to 25, or 0 when cancelled.
    virtual int RunWordCount(const std::string& title) = 0;
    // The lines of the text box, on confirmation.
    virtual bool RunAskWords(const std::string& title, std::vector<std::string>& lines) = 0;
};
