#include "dialogs/AddWordsDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"

#include <QCheckBox>
#include <QPlainTextEdit>

TfrmAddWords::TfrmAddWords() : TDialogForm("Add Keywords", QSize(326, 332)) {
    setObjectName("frmAddWords");
    AddBevel(this, "Bevel1", QRect(18, 22, 293, 256));
    AddFrameCaption(this, "Label1", " Type in the keywords (one entry/ line) and click OK ",
                    QRect(24, 16, 250, 13));
    mmWords = AddTextBox(this, "mmWords", QRect(36, 50, 255, 187));
    chkAppend = AddCheckBox(this, "chkAppend", "Append these to the current keyword list",
                            QRect(36, 249, 225, 17), true);
    SetTabOrder({mmWords, chkAppend});
    AddOkCancel(QPoint(54, 295), QPoint(169, 295));
}

bool TfrmAddWords::Execute(std::vector<std::string>& lines, bool& append) {
    CheckpointScope checkpoint("d030");
    FillTextBox(*mmWords, lines);
    mmWords->setFocus();
    if (!RunModally())
        return false;
    lines = TextLines(*mmWords);
    append = chkAppend->isChecked();
    return true;
}
