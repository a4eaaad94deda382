#pragma once

#include "frame/ParameterDialogs.h"

#include <QPointer>

class QWidget;
class TfrmAddWord;
class TfrmAskWords;
class TfrmCharacters;
class TfrmSearchReplace;
class TfrmWordCount;

// The management layer's parameter dialogs as the program's windows: each is made on first use and kept.
class TParameterDialogWindows : public IParameterDialogs {
public:
    bool RunCharacters(TCharSet& characters) override;
    bool RunSearchReplace(std::string& find, std::string& replacement, TRecentList& searchList,
                          TRecentList& replaceList) override;
    bool RunAddWord(std::string& word, TRecentList& recent) override;
    int RunWordCount(const std::string& title) override;
    bool RunAskWords(const std::string& title, std::vector<std::string>& lines) override;

    // The main window, which the dialogs stand in front of; null while there is none.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    QWidget* mainWindow_ = nullptr;
    QPointer<TfrmCharacters> characters_;
    QPointer<TfrmSearchReplace> searchReplace_;
    QPointer<TfrmAddWord> addWord_;
    QPointer<TfrmWordCount> wordCount_;
    QPointer<TfrmAskWords> askWords_;
};
