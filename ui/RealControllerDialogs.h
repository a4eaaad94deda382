#pragma once

#include "dialogs/ParameterDialogWindows.h"
#include "ui/ControllerDialogs.h"

class TManagementLayer;

// The program's own dialog windows behind the controller's and the management layer's dialog interfaces;
// each window is made on first use and kept until the program ends.
class TProgramDialogs : public IControllerDialogs {
public:
    explicit TProgramDialogs(TManagementLayer& management) : management_(management) {}

    bool RunAddWords(TAddWordsResult& result) override;
    bool RunSelectList(TSelectListResult& result) override;
    bool RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) override;
    bool RunMisspellings(bool anyHighlighted, TMultiplyResult& result) override;
    bool RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) override;
    void RunAbout() override;
    void CheckForUpdates() override;
    bool AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) override;
    int AskWordCount(const std::string& title) override;
    bool AskCharacters(TCharSet& characters) override;
    bool AskWord(std::string& word) override;
    bool AskSearchReplace(std::string& find, std::string& replacement) override;

    IParameterDialogs& Parameters() { return parameters_; }

private:
    TManagementLayer& management_;
    TParameterDialogWindows parameters_;
};
