#pragma once

#include "dialogs/DialogForm.h"

#include <string>

class TSpinEdit;

// A number of words from 1 to 25 under a title the caller gives; Enter in the field means OK.
class TfrmWordCount : public TDialogForm {
    Q_OBJECT
public:
    TfrmWordCount();

    // title is UTF-8. The chosen number, or 0 when cancelled.
    int Execute(const std::string& title);
    // Makes the dialog ask for another count: its frame caption, largest number and first value.
    void AskFor(const QString& caption, int maximum, int value);

    TSpinEdit* seWordCount;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
