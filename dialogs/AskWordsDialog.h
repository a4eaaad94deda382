#pragma once

#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QPlainTextEdit;

// Words or terms, one a line, under a title the caller gives.
class TfrmAskWords : public TDialogForm {
    Q_OBJECT
public:
    TfrmAskWords();

    // title is UTF-8. On OK lines becomes the text box's lines.
    bool Execute(const std::string& title, std::vector<std::string>& lines);

    QPlainTextEdit* mmWords;
};
