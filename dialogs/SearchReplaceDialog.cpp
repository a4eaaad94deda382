#include "dialogs/SearchReplaceDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"
#include "frame/RecentList.h"

#include <QComboBox>
#include <QLabel>

TfrmSearchReplace::TfrmSearchReplace() : TDialogForm("Replace", QSize(333, 180)) {
    setObjectName("frmSearchReplace");
    AddBevel(this, "Bevel1", QRect(12, 12, 312, 113));
    AddLabel(this, "Label1", "Find:", QRect(93, 40, 24, 13), Qt::AlignRight | Qt::AlignVCenter);
    AddLabel(this, "Label2", "Replace:", QRect(75, 79, 42, 13))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cmbFind = AddComboBox(this, "cmbFind", QRect(129, 37, 179, 21), true);
    cmbReplace = AddComboBox(this, "cmbReplace", QRect(129, 76, 179, 21), true);
    SetTabOrder({cmbFind, cmbReplace});
    AddOkCancel(QPoint(59, 144), QPoint(174, 144));
}

bool TfrmSearchReplace::Execute(std::string& find, std::string& replacement,
                                std::vector<std::string>& searchList, std::vector<std::string>& replaceList) {
    CheckpointScope checkpoint("d103");
    FillRecentEntries(*cmbFind, searchList);
    FillRecentEntries(*cmbReplace, replaceList);
    cmbFind->setFocus();
    if (!RunModally())
        return false;
    const std::string typedFind = TypedText(cmbFind->currentText());
    if (typedFind.empty())
        return false;
    find = typedFind;
    RememberRecent(searchList, find);
    replacement = TypedText(cmbReplace->currentText());
    RememberRecent(replaceList, replacement);
    return true;
}
