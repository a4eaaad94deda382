#pragma once

#include "core/ListSettings.h"
#include "core/TextEncoding.h"
#include "dialogs/Artwork.h"
#include "dialogs/DialogForm.h"

#include <QPointer>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;
class TKeyItems;
class TPreviewModel;

// "Colors & Fonts (<list>)": a list's row colours and font, edited on a working copy with a live preview,
// and the encodings of keyword files.
class TfrmSettings : public TDialogForm {
    Q_OBJECT
public:
    TfrmSettings();

    // On OK copies the working font and the four colours into the list's settings, the chosen encodings into
    // encodings, and whether the lists are kept and the undo memory into the management layer.
    bool Execute(TKeyItems& list, TFileEncodings& encodings);

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

extern QPointer<TfrmSettings> frmSettings;
