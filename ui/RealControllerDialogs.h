#pragma once

#include "ControllerDialogs.h"
#include "ParameterDialogWindows.h"

// The program's own dialog windows behind the controller's and the management layer's dialog interfaces;
// each window is made on first use and kept until the program ends.
class TProgramDialogs : public IControllerDialogs {
public:
    bool RunAddWords(TAddWordsResult& result) override;
    bool RunSelectList(TSelectListResult& result) override;
    bool RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) override;
    bool RunMisspellings(bool anyHighlighted, TMultiplyResult& result) override;
    bool RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) override;
    void RunAbout() override;
    void CheckForUpdates() override;

    IParameterDialogs& Parameters() { return parameters_; }

private:
    TParameterDialogWindows parameters_;
};
