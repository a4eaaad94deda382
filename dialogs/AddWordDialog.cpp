#include "dialogs/AddWordDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"
#include "frame/RecentList.h"

#include <QComboBox>
#include <QLabel>

TfrmAddWord::TfrmAddWord() : TDialogForm("Word To Add", QSize(279, 158)) {
    setObjectName("frmAddWord");
    AddBevel(this, "Bevel1", QRect(12, 12, 258, 96));
    cmbText = AddComboBox(this, "cmbText", QRect(34, 32, 209, 21), true);
    AddLabel(this, "Label1",
             "While typing in the word, please include the leading or trailing blank space (if required)",
             QRect(34, 64, 212, 26), Qt::AlignLeft | Qt::AlignTop, true);
    AddOkCancel(QPoint(32, 122), QPoint(147, 122));
}

bool TfrmAddWord::Execute(std::string& word, std::vector<std::string>& recent) {
    CheckpointScope checkpoint("d094");
    FillRecentEntries(*cmbText, recent);
    cmbText->setFocus();
    if (!RunModally())
        return false;
    const std::string typed = TypedText(cmbText->currentText());
    if (typed.empty())
        return false;
    word = typed;
    RememberRecent(recent, word);
    return true;
}
