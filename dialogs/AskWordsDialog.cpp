#include "dialogs/AskWordsDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"

#include <QPlainTextEdit>

TfrmAskWords::TfrmAskWords() : TDialogForm("Words", QSize(351, 278)) {
    setObjectName("frmAskWords");
    AddBevel(this, "Bevel1", QRect(12, 18, 330, 213));
    AddFrameCaption(this, "Label1", " Type in the words below (one entry / line) and click 'OK'",
                    QRect(18, 13, 268, 13));
    mmWords = AddTextBox(this, "mmWords", QRect(33, 42, 287, 171));
    AddOkCancel(QPoint(68, 242), QPoint(183, 242), "btnOK");
}

bool TfrmAskWords::Execute(const std::string& title, std::vector<std::string>& lines) {
    CheckpointScope checkpoint("d031");
    setWindowTitle(QString::fromStdString(title));
    FillTextBox(*mmWords, lines);
    mmWords->setFocus();
    if (!RunModally())
        return false;
    lines = TextLines(*mmWords);
    return true;
}
