#pragma once

#include "dialogs/DialogForm.h"

class QCheckBox;
class QComboBox;
class TBusinessLogicLayer;
class TKeyItems;

// "List Selection": the list to copy the current list's entries to, and whether to empty it first.
class TfrmSelectList : public TDialogForm {
    Q_OBJECT
public:
    TfrmSelectList();

    // The chosen list (the current list itself when "---" stays chosen) with emptyFirst set, or null on
    // Cancel with emptyFirst unchanged.
    TKeyItems* Execute(const TBusinessLogicLayer& lists, bool& emptyFirst);

    QComboBox* cmbLists;
    QCheckBox* chkEmpty;
};
