#pragma once

#include "dialogs/DialogForm.h"

class TLinkLabel;
class TManagementLayer;

// "About": the program's name and version, the link to its home page and the maker's rights notice.
class TfrmAbout : public TDialogForm {
    Q_OBJECT
public:
    TfrmAbout();

    // Shows the dialog modally until "Close" or the close box; its link opens the home page.
    void ShowModally(const TManagementLayer& management);

    TLinkLabel* LinkLabel1;

private:
    const TManagementLayer* management_ = nullptr;
};
