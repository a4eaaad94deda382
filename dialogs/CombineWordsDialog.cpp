#include "dialogs/CombineWordsDialog.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ListChoice.h"
#include "dialogs/SourceChoice.h"
#include "dialogs/SpinEdit.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

TfrmCombineWords::TfrmCombineWords() : TDialogForm("Combine Words", QSize(413, 348)) {
    setObjectName("frmCombineWords");
    AddBevel(this, "Bevel1", QRect(12, 11, 282, 249));
    AddFrameCaption(this, "Label2", " Combine Words From ", QRect(18, 6, 108, 13));
    rbHighlighted = AddRadioButton(this, "rbHighlighted", QString(), QRect(28, 34, 149, 17));
    rbAll = AddRadioButton(this, "rbAll", QString(), QRect(28, 60, 149, 17));
    rbTyped = AddRadioButton(this, "rbTyped", "Words Typed Below", QRect(28, 88, 149, 17));
    mmWords = AddTextBox(this, "mmWords", QRect(27, 115, 248, 101));
    AddLabel(this, "Label4", "Ignore phrases with more than", QRect(27, 226, 0, 0));
    seLimit = new TSpinEdit(2, 7, this);
    seLimit->setObjectName("seLimit");
    seLimit->setGeometry(189, 224, 41, 22);
    AddLabel(this, "Label5", "words.", QRect(241, 226, 0, 0));
    AddBevel(this, "Bevel2", QRect(12, 276, 282, 59));
    AddFrameCaption(this, "Label3", " Add Created Phrases To ", QRect(18, 271, 123, 13));
    cmbLists = AddComboBox(this, "cmbLists", QRect(27, 296, 248, 21), false);
    AddLabel(this, "Label1", "In some cases  you will need to remove duplicates after creating the phrases.",
             QRect(308, 89, 90, 65), Qt::AlignHCenter | Qt::AlignTop, true);
    SetTabOrder({rbHighlighted, rbAll, rbTyped, mmWords, seLimit, cmbLists});
    AddOkCancel(QPoint(301, 11), QPoint(301, 49));
    source_ = new TSourceChoice(rbHighlighted, rbAll, rbTyped, mmWords);
}

bool TfrmCombineWords::Execute(const TBusinessLogicLayer& lists, bool hasHighlighted,
                               std::uint8_t& sourceKind, TKeyItems*& target, int& limit,
                               std::vector<std::string>& words) {
    CheckpointScope checkpoint("d113");
    source_->Prepare(hasHighlighted, lists.CurrentList());
    FillListChoice(*cmbLists, lists);
    seLimit->setValue(limit);
    if (!RunModally())
        return false;
    sourceKind = source_->Kind();
    source_->ReadTypedWords(words);
    limit = seLimit->Value();
    target = ChosenList(*cmbLists, lists);
    return true;
}
