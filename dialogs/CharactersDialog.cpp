#include "dialogs/CharactersDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {
struct TPreset {
    const char* Item;
    const char* Text;
};

// "Custom" leaves the field as it is.
const TPreset Presets[] = {
    {"Custom", nullptr},
    {"All Digits", "0123456789"},
    {"All Alphabets", "abcdefghijklmnopqrstuvwxyz"},
    {"All Alpha-Numeric", "abcdefghijklmnopqrstuvwxyz0123456789"},
    {"All Non Alpha-Numeric", "`~,.<>/;:'\"[]}{|\\()_*^&%#@$!+=-?"},
    {"Punctuations", ".?!:;-()[]'`/,"},
};

// Each character typed stands for itself, whatever the script; a pasted lone surrogate matches nothing in
// a text and is left out.
TCharSet CharactersOf(const QString& typed) {
    TCharSet set;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar unit = typed[i];
        if (unit.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate())
            set.Include(QChar::surrogateToUcs4(unit, typed[++i]));
        else if (!unit.isSurrogate())
            set.Include(unit.unicode());
    }
    return set;
}
} // namespace

TfrmCharacters::TfrmCharacters() : TDialogForm("Unwanted characters", QSize(291, 275)) {
    setObjectName("frmCharacters");
    AddBevel(this, "Bevel1", QRect(12, 17, 270, 209));
    AddFrameCaption(this, "Label1", " Type in the characters you don't want... ", QRect(18, 12, 201, 13));
    txtChars = AddEdit(this, "txtChars", QRect(36, 39, 225, 21));
    chkLF = AddCheckBox(this, "chkLF", "Include <Line Feed>", QRect(36, 74, 153, 17), true);
    chkCR = AddCheckBox(this, "chkCR", "Include <Carriage Return>", QRect(36, 99, 153, 17), true);
    chkTab = AddCheckBox(this, "chkTab", "Include <Tab>", QRect(36, 123, 153, 17), true);
    AddSeparator(this, "Bevel2", QPoint(36, 158), 223);
    AddLabel(this, "Label2", "Pre-selected character sets", QRect(36, 172, 0, 0));
    cmbPresets = AddComboBox(this, "cmbPresets", QRect(36, 190, 225, 21), false);
    for (const TPreset& preset : Presets)
        cmbPresets->addItem(preset.Item);
    connect(cmbPresets, &QComboBox::activated, this, &TfrmCharacters::PresetChosen);
    SetTabOrder({txtChars, chkLF, chkCR, chkTab, cmbPresets});
    AddOkCancel(QPoint(38, 238), QPoint(153, 238));
}

bool TfrmCharacters::Execute(TCharSet& chars) {
    CheckpointScope checkpoint("d078");
    cmbPresets->setCurrentIndex(0);
    txtChars->setFocus();
    if (!RunModally())
        return false;
    TCharSet chosen = CharactersOf(txtChars->text());
    if (chkLF->isChecked())
        chosen.Include(10);
    if (chkCR->isChecked())
        chosen.Include(13);
    if (chkTab->isChecked())
        chosen.Include(9);
    chars = chosen;
    return true;
}

void TfrmCharacters::PresetChosen(int index) {
    if (index > 0 && index < static_cast<int>(std::size(Presets)))
        txtChars->setText(Presets[index].Text);
}
