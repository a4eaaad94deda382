#pragma once

#include "dialogs/DialogForm.h"

#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;
class QRadioButton;
class TBusinessLogicLayer;
class TKeyItems;
class TSourceChoice;
class TSpinEdit;

// "Combine Words": the source of the phrases, the greatest word count to recombine and the target list.
class TfrmCombineWords : public TDialogForm {
    Q_OBJECT
public:
    TfrmCombineWords();

    // On OK sets sourceKind (0 highlighted, 1 all, 2 typed), the target list, limit (2..7) and, for typed
    // words only, words. On Cancel nothing changes.
    bool Execute(const TBusinessLogicLayer& lists, bool hasHighlighted, std::uint8_t& sourceKind,
                 TKeyItems*& target, int& limit, std::vector<std::string>& words);

    QRadioButton* rbHighlighted;
    QRadioButton* rbAll;
    QRadioButton* rbTyped;
    QPlainTextEdit* mmWords;
    TSpinEdit* seLimit;
    QComboBox* cmbLists;

private:
    TSourceChoice* source_;
};
