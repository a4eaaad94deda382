#pragma once

#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QComboBox;

// "Replace": a text to find and its replacement, each with its recent entries.
class TfrmSearchReplace : public TDialogForm {
    Q_OBJECT
public:
    TfrmSearchReplace();

    // True when OK was pressed with a non-empty find text; both texts then move to the front of their lists
    // (an empty replacement too). Otherwise nothing changes.
    bool Execute(std::string& find, std::string& replacement, std::vector<std::string>& searchList,
                 std::vector<std::string>& replaceList);

    QComboBox* cmbFind;
    QComboBox* cmbReplace;
};
