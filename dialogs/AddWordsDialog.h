#pragma once

#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QCheckBox;
class QPlainTextEdit;

// "Add Keywords": keyword phrases, one a line, and whether they go after the current list's entries.
class TfrmAddWords : public TDialogForm {
    Q_OBJECT
public:
    TfrmAddWords();

    // Shows lines in the text box; on OK replaces them with the box's lines and sets append from the check
    // box.
    bool Execute(std::vector<std::string>& lines, bool& append);

    QPlainTextEdit* mmWords;
    QCheckBox* chkAppend;
};
