#pragma once

#include "frame/ParameterDialogs.h"

// The management layer's parameter dialogs as the program's windows: each is made on first use and kept.
class TParameterDialogWindows : public IParameterDialogs {
public:
    bool RunCharacters(TCharSet& characters) override;
    bool RunSearchReplace(std::string& find, std::string& replacement, TRecentList& searchList,
                          TRecentList& replaceList) override;
    bool RunAddWord(std::string& word, TRecentList& recent) override;
    int RunWordCount(const std::string& title) override;
    bool RunAskWords(const std::string& title, std::vector<std::string>& lines) override;
};
