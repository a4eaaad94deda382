#pragma once

#include "dialogs/ParameterDialogWindows.h"
#include "ui/ControllerDialogs.h"

#include <QPointer>

class IMessageBoxes;
class QWidget;
class TBusinessLogicLayer;
class TManagementLayer;
class TfrmAbout;
class TfrmAddWords;
class TfrmCombineWords;
class TfrmMisspelled;
class TfrmSelectList;
class TfrmSettings;
class TfrmWordCount;
class TfrmWordFrequency;

// The program's own dialog windows behind the controller's and the management layer's dialog interfaces;
// each window is made on first use and kept until the program ends.
class TProgramDialogs : public IControllerDialogs {
public:
    TProgramDialogs(TBusinessLogicLayer& lists, TManagementLayer& management, IMessageBoxes& boxes)
        : lists_(lists), management_(management), boxes_(boxes) {}

    bool RunAddWords(TAddWordsResult& result) override;
    bool RunSelectList(TSelectListResult& result) override;
    TKeyItems* ChooseOtherList(const std::string& title) override;
    bool RunCombineWords(const TCombineWordsRequest& request, TMultiplyResult& result) override;
    bool RunMisspellings(bool anyHighlighted, TMultiplyResult& result) override;
    bool RunColorsAndFont(TKeyItems& list, TFileEncodings& encodings) override;
    void RunAbout() override;
    bool RunWordFrequency(const TCountWordRuns& count, TWordFrequencyResult& result) override;
    void CheckForUpdates() override;
    bool AskWords(const std::string& title, std::vector<std::string>& lines, bool upperCase) override;
    int AskWordCount(const std::string& title) override;
    int AskCharacterCount(const std::string& title, int defaultCount) override;
    bool AskCharacters(TCharSet& characters) override;
    bool AskWord(std::string& word) override;
    bool AskSearchReplace(std::string& find, std::string& replacement) override;

    IParameterDialogs& Parameters() { return parameters_; }
    // The main window, which the dialogs and boxes stand in front of; null while there is none.
    void SetMainWindow(QWidget* window);

private:
    TBusinessLogicLayer& lists_;
    TManagementLayer& management_;
    IMessageBoxes& boxes_;
    QWidget* mainWindow_ = nullptr;
    TParameterDialogWindows parameters_;
    QPointer<TfrmAddWords> addWords_;
    QPointer<TfrmSelectList> selectList_;
    QPointer<TfrmSelectList> otherList_;
    QPointer<TfrmWordCount> characterCount_;
    QPointer<TfrmCombineWords> combineWords_;
    QPointer<TfrmMisspelled> misspelled_;
    QPointer<TfrmSettings> settings_;
    QPointer<TfrmAbout> about_;
    QPointer<TfrmWordFrequency> wordFrequency_;
};
