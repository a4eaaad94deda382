#pragma once

#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QComboBox;

// "Word To Add": one word or text fragment, offering the recent entries.
class TfrmAddWord : public TDialogForm {
    Q_OBJECT
public:
    TfrmAddWord();

    // True when OK was pressed with a non-empty text: word is the text as typed (blanks count) and it moves
    // to the front of recent. Otherwise word and recent are unchanged.
    bool Execute(std::string& word, std::vector<std::string>& recent);

    QComboBox* cmbText;
};
