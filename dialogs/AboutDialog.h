#pragma once

#include "dialogs/DialogForm.h"

#include <QPointer>

class TLinkLabel;

// "About": the program's name and version, the link to its home page and the maker's rights notice.
class TfrmAbout : public TDialogForm {
    Q_OBJECT
public:
    TfrmAbout();

    // Shows the dialog modally until "Close" or the close box.
    void ShowModally();

    TLinkLabel* LinkLabel1;
};

extern QPointer<TfrmAbout> frmAbout;
