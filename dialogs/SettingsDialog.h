#pragma once

#include "core/ListSettings.h"
#include "core/TextEncoding.h"
#include "dialogs/Artwork.h"
#include "dialogs/DialogForm.h"

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;
class TKeyItems;
class TPreviewModel;

// How the lists are kept, as the settings dialog shows and changes it: between runs or not, and the undo
// memory in megabytes (0 for the automatic share, which amounts to AutomaticUndoMemory now).
struct TKeepingSettings {
    bool KeepLists = true;
    std::int32_t UndoMemory = 0;
    std::int32_t AutomaticUndoMemory = 0;
};

// "Colors & Fonts (<list>)": a list's row colours and font, edited on a working copy with a live preview,
// and the encodings of keyword files.
class TfrmSettings : public TDialogForm {
    Q_OBJECT
public:
    TfrmSettings();

    // On OK copies the working font and the four colours into the list's settings, the chosen encodings into
    // encodings, and how the lists are kept into keeping.
    bool Execute(TKeyItems& list, TFileEncodings& encodings, TKeepingSettings& keeping);

    // The working copy; the list's own settings change only on OK.
    TListSettings Working;
    QTableView* lvPreview;
    // btnEvenBack, btnEvenFont, btnOddBack, btnOddFont: colour k is ColorButtons[k - 1].
    std::array<QToolButton*, 4> ColorButtons{};
    QPushButton* btnFont;
    QComboBox* cmbImportEncoding;
    QComboBox* cmbExportEncoding;
    QCheckBox* chkKeepLists;
    // Megabytes of undo memory; 0 for the automatic share.
    QSpinBox* spnUndoMemory;

private:
    void ColorButtonClick(int colorIndex);
    void btnFontClick();
    void DrawFace(int colorIndex);
    void ShowWorkingFont();

    TPreviewModel* preview_;
    TArtwork dropArrow_;
};

// What the encoding choices read, such as "Windows-1251 (Cyrillic)".
QString EncodingCaption(TTextEncoding encoding);

// The face of a colour button: the swatch with its word ("Back" or "Text", white only on pure black) and the
// drop arrow, 67 x 13 pixels.
QPixmap ColorButtonFace(std::uint32_t color, const QString& word, const TArtwork& arrow,
                        qreal devicePixelRatio);
