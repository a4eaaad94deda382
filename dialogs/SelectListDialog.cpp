#include "dialogs/SelectListDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/ClickableLabel.h"
#include "dialogs/DialogControls.h"
#include "dialogs/ListChoice.h"

#include <QCheckBox>
#include <QComboBox>

TfrmSelectList::TfrmSelectList() : TDialogForm("List Selection", QSize(279, 176)) {
    setObjectName("frmSelectList");
    AddBevel(this, "Bevel1", QRect(12, 17, 257, 109));
    frameCaption_ = AddFrameCaption(this, "Label1", " Select a list to export to", QRect(18, 12, 118, 13));
    cmbLists = AddComboBox(this, "cmbLists", QRect(55, 44, 173, 21), false);
    chkEmpty =
        AddCheckBox(this, "chkEmpty", "Empty the existing entries from", QRect(55, 80, 177, 17), false);
    auto* secondLine = new TClickableLabel("target list before copying", this);
    secondLine_ = secondLine;
    secondLine->setObjectName("Label2");
    secondLine->setGeometry(73, 95, 121, 13);
    FitLabel(secondLine);
    connect(secondLine, &TClickableLabel::clicked, this, [this] {
        chkEmpty->setFocus();
        chkEmpty->toggle();
    });
    SetTabOrder({cmbLists, chkEmpty});
    AddOkCancel(QPoint(32, 138), QPoint(147, 138));
}

TKeyItems* TfrmSelectList::Execute(const TBusinessLogicLayer& lists, bool& emptyFirst) {
    CheckpointScope checkpoint("d079");
    FillListChoice(*cmbLists, lists, "---");
    cmbLists->setFocus();
    if (!RunModally())
        return nullptr;
    emptyFirst = chkEmpty->isChecked();
    return ChosenList(*cmbLists, lists);
}

TKeyItems* TfrmSelectList::ChooseOther(const TBusinessLogicLayer& lists, const std::string& title) {
    CheckpointScope checkpoint("d161");
    setWindowTitle(QString::fromStdString(title));
    frameCaption_->setText(" Select the other list");
    FitLabel(frameCaption_);
    chkEmpty->hide();
    secondLine_->hide();
    FillListChoice(*cmbLists, lists, "---");
    cmbLists->setFocus();
    if (!RunModally())
        return nullptr;
    return ChosenList(*cmbLists, lists);
}
