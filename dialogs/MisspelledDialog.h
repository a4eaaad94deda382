#pragma once

#include "dialogs/DialogForm.h"

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QRadioButton;
class TBusinessLogicLayer;
class TKeyItems;
class TSourceChoice;

// "Create Misspellings": the source of the words, the kinds of misspelling and the target list.
class TfrmMisspelled : public TDialogForm {
    Q_OBJECT
public:
    TfrmMisspelled();

    // On OK sets sourceKind (0 highlighted, 1 all, 2 typed), the target list, kinds (1 doubled, 2 swapped,
    // 4 missing, 8 keyboard neighbours) and, for typed words only, words. On Cancel nothing changes.
    bool Execute(const TBusinessLogicLayer& lists, bool hasHighlighted, std::uint8_t& sourceKind,
                 TKeyItems*& target, std::uint8_t& kinds, std::vector<std::string>& words);

    QRadioButton* rbHighlighted;
    QRadioButton* rbAll;
    QRadioButton* rbTyped;
    QPlainTextEdit* mmWords;
    QCheckBox* chkDuplicate;
    QCheckBox* chkSwapped;
    QCheckBox* chkMissing;
    QCheckBox* chkQWERTY;
    QComboBox* cmbLists;

private:
    TSourceChoice* source_;
};
