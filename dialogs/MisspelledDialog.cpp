#include "dialogs/MisspelledDialog.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ListChoice.h"
#include "dialogs/SourceChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRadioButton>

TfrmMisspelled::TfrmMisspelled() : TDialogForm("Create Misspellings", QSize(545, 257)) {
    setObjectName("frmMisspelled");
    AddBevel(this, "Bevel1", QRect(12, 12, 213, 231));
    AddFrameCaption(this, "Label2", " Create Misspellings of ", QRect(18, 7, 110, 13));
    rbHighlighted = AddRadioButton(this, "rbHighlighted", QString(), QRect(31, 34, 149, 17));
    rbAll = AddRadioButton(this, "rbAll", QString(), QRect(31, 60, 149, 17));
    rbTyped = AddRadioButton(this, "rbTyped", "Words Typed Below", QRect(31, 86, 149, 17));
    mmWords = AddTextBox(this, "mmWords", QRect(30, 116, 176, 114));
    AddBevel(this, "Bevel2", QRect(237, 12, 179, 147));
    AddFrameCaption(this, "Label1", " Settings ", QRect(243, 7, 45, 13));
    chkDuplicate = AddCheckBox(this, "chkDuplicate", "Duplicate Chars", QRect(252, 34, 153, 17), true);
    chkSwapped = AddCheckBox(this, "chkSwapped", "Swapped Chars", QRect(252, 63, 153, 17), true);
    chkMissing = AddCheckBox(this, "chkMissing", "Missing Chars", QRect(252, 93, 153, 17), true);
    chkQWERTY = AddCheckBox(this, "chkQWERTY", "QWERTY Keyboard Errors", QRect(252, 120, 153, 17), true);
    AddBevel(this, "Bevel3", QRect(237, 178, 179, 64));
    AddFrameCaption(this, "Label3", " Add Created Words To ", QRect(243, 173, 116, 13));
    cmbLists = AddComboBox(this, "cmbLists", QRect(252, 203, 147, 21), false);
    SetTabOrder(
        {rbHighlighted, rbAll, rbTyped, mmWords, chkDuplicate, chkSwapped, chkMissing, chkQWERTY, cmbLists});
    AddOkCancel(QPoint(430, 12), QPoint(430, 48));
    source_ = new TSourceChoice(rbHighlighted, rbAll, rbTyped, mmWords);
}

bool TfrmMisspelled::Execute(const TBusinessLogicLayer& lists, bool hasHighlighted, std::uint8_t& sourceKind,
                             TKeyItems*& target, std::uint8_t& kinds, std::vector<std::string>& words) {
    CheckpointScope checkpoint("d129");
    source_->Prepare(hasHighlighted, lists.CurrentList());
    FillListChoice(*cmbLists, lists);
    if (!RunModally())
        return false;
    sourceKind = source_->Kind();
    source_->ReadTypedWords(words);
    kinds =
        static_cast<std::uint8_t>((chkDuplicate->isChecked() ? 1 : 0) | (chkSwapped->isChecked() ? 2 : 0) |
                                  (chkMissing->isChecked() ? 4 : 0) | (chkQWERTY->isChecked() ? 8 : 0));
    target = ChosenList(*cmbLists, lists);
    return true;
}
