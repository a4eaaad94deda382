#pragma once

#include "dialogs/DialogForm.h"

#include <string>

class QCheckBox;
class QComboBox;
class TBusinessLogicLayer;
class TKeyItems;
class QLabel;

// "List Selection": the list to copy the current list's entries to, and whether to empty it first.
class TfrmSelectList : public TDialogForm {
    Q_OBJECT
public:
    TfrmSelectList();

    // The chosen list (the current list itself when "---" stays chosen) with emptyFirst set, or null on
    // Cancel with emptyFirst unchanged.
    TKeyItems* Execute(const TBusinessLogicLayer& lists, bool& emptyFirst);
    // The same choice of a list for a command that compares the current list with it: under the caller's
    // title, without emptying. The chosen list, or null on Cancel.
    TKeyItems* ChooseOther(const TBusinessLogicLayer& lists, const std::string& title);

    QComboBox* cmbLists;
    QCheckBox* chkEmpty;

private:
    QLabel* frameCaption_;
    QLabel* secondLine_;
};
