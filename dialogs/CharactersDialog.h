#pragma once

#include "core/CharSet.h"
#include "dialogs/DialogForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

// "Unwanted characters": a set of characters, typed or taken from presets, plus line feed, return and tab.
class TfrmCharacters : public TDialogForm {
    Q_OBJECT
public:
    TfrmCharacters();

    // On OK chars becomes the typed characters and the checked control characters.
    bool Execute(TCharSet& chars);

    QLineEdit* txtChars;
    QCheckBox* chkLF;
    QCheckBox* chkCR;
    QCheckBox* chkTab;
    QComboBox* cmbPresets;

private:
    void PresetChosen(int index);
};
