#include "dialogs/SettingsDialog.h"

#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"
#include "dialogs/FontAndColor.h"
#include "dialogs/ModalRun.h"
#include "dialogs/PreviewModel.h"
#include "frame/ManagementLayer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace {
struct TColorButton {
    const char* Name;
    QRect Bounds;
    const char* Word;
};

const TColorButton ColorButtonPlaces[] = {
    {"btnEvenBack", QRect(271, 37, 74, 23), "Back"},
    {"btnEvenFont", QRect(271, 64, 74, 23), "Text"},
    {"btnOddBack", QRect(271, 139, 74, 23), "Back"},
    {"btnOddFont", QRect(271, 167, 74, 23), "Text"},
};

const char* const CodePageScripts[] = {"Central European", "Cyrillic", "Western", "Greek",     "Turkish",
                                       "Hebrew",           "Arabic",   "Baltic",  "Vietnamese"};

// A combo box offering the encodings, each item holding its setting's name.
QComboBox* AddEncodingChoice(QWidget* parent, const char* name, QRect bounds,
                             const std::vector<TTextEncoding>& encodings) {
    QComboBox* box = AddComboBox(parent, name, bounds, false);
    for (const TTextEncoding encoding : encodings)
        box->addItem(EncodingCaption(encoding), QString::fromStdString(EncodingName(encoding)));
    return box;
}

void ShowEncoding(QComboBox& box, TTextEncoding encoding) {
    box.setCurrentIndex(std::max(0, box.findData(QString::fromStdString(EncodingName(encoding)))));
}

TTextEncoding ChosenEncoding(const QComboBox& box) {
    return EncodingFromName(box.currentData().toString().toStdString()).value_or(TTextEncoding{});
}

QTableView* NewPreview(QWidget* parent, TPreviewModel* model) {
    auto* view = new QTableView(parent);
    view->setObjectName("lvPreview");
    view->setGeometry(31, 38, 189, 226);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setShowGrid(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionsClickable(false);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view->setColumnWidth(0, 50);
    view->setColumnWidth(1, 115);
    QPalette colours = view->palette();
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    view->setPalette(colours);
    return view;
}
} // namespace

QString EncodingCaption(TTextEncoding encoding) {
    switch (encoding.Kind) {
    case TEncoding::Automatic:
        return "Automatic (UTF-8 or the language's code page)";
    case TEncoding::Utf8:
        return "UTF-8";
    case TEncoding::Utf8WithMark:
        return "UTF-8 with byte-order mark";
    case TEncoding::Utf16LE:
        return "UTF-16 LE";
    case TEncoding::Utf16BE:
        return "UTF-16 BE";
    case TEncoding::CodePage:
        break;
    }
    return QString("Windows-%1 (%2)").arg(encoding.CodePage).arg(CodePageScripts[encoding.CodePage - 1250]);
}

QPixmap ColorButtonFace(std::uint32_t color, const QString& word, const TArtwork& arrow,
                        qreal devicePixelRatio) {
    const QPixmap& arrowPicture = arrow.For(devicePixelRatio);
    const QSize arrowSize = (arrowPicture.deviceIndependentSize()).toSize();
    QPixmap face(QSize(arrowSize.width() + 58, 13) * devicePixelRatio);
    face.setDevicePixelRatio(devicePixelRatio);
    face.fill(Qt::transparent);
    QPainter painter(&face);
    painter.fillRect(QRect(1, 0, 53, 13), ToQColor(color));
    painter.setPen(Qt::black);
    painter.drawRect(QRectF(1.5, 0.5, 52, 12));
    painter.drawPixmap(QPoint(57, (13 - arrowSize.height()) / 2), arrowPicture);
    QFont font("MS Sans Serif", 8);
    painter.setFont(font);
    painter.setPen(color == 0 ? Qt::white : Qt::black);
    painter.drawText(QRect(11, 0, 43, 13), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, word);
    return face;
}

TfrmSettings::TfrmSettings()
    : TDialogForm("Colors & Fonts", QSize(492, 416)), preview_(new TPreviewModel(Working, this)),
      dropArrow_(LoadArtwork("DropArrow")) {
    setObjectName("frmSettings");
    AddBevel(this, "Bevel1", QRect(16, 18, 221, 264));
    AddFrameCaption(this, "Label1", " Preview", QRect(25, 13, 41, 13));
    lvPreview = NewPreview(this, preview_);
    AddBevel(this, "Bevel2", QRect(247, 18, 119, 87));
    AddFrameCaption(this, "Label2", " Even Row Colors", QRect(256, 13, 84, 13));
    AddBevel(this, "Bevel3", QRect(249, 121, 119, 87));
    AddFrameCaption(this, "Label3", " Odd Row Colors", QRect(258, 116, 80, 13));
    AddBevel(this, "Bevel4", QRect(250, 223, 119, 59));
    AddFrameCaption(this, "Label4", " Font Face & Size  ", QRect(259, 218, 89, 13));
    for (int k = 1; k <= 4; ++k) {
        const TColorButton& place = ColorButtonPlaces[k - 1];
        auto* button = new QToolButton(this);
        button->setObjectName(place.Name);
        button->setGeometry(place.Bounds);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(67, 13));
        connect(button, &QToolButton::clicked, this, [this, k] { ColorButtonClick(k); });
        ColorButtons[static_cast<std::size_t>(k - 1)] = button;
    }
    btnFont = new QPushButton("Font...", this);
    btnFont->setObjectName("btnFont");
    btnFont->setGeometry(271, 242, 74, 23);
    btnFont->setAutoDefault(false);
    connect(btnFont, &QPushButton::clicked, this, &TfrmSettings::btnFontClick);
    AddBevel(this, "Bevel5", QRect(16, 298, 353, 60));
    AddFrameCaption(this, "Label5", " Text Files ", QRect(25, 293, 56, 13));
    AddLabel(this, "Label6", "Import:", QRect(31, 309, 0, 0));
    cmbImportEncoding =
        AddEncodingChoice(this, "cmbImportEncoding", QRect(80, 305, 275, 21), ImportEncodings());
    AddLabel(this, "Label7", "Export:", QRect(31, 334, 0, 0));
    cmbExportEncoding =
        AddEncodingChoice(this, "cmbExportEncoding", QRect(80, 330, 275, 21), ExportEncodings());
    chkKeepLists =
        AddCheckBox(this, "chkKeepLists", "Keep the lists for the next start", QRect(16, 366, 353, 17), true);
    AddLabel(this, "Label8", "Undo memory:", QRect(16, 393, 0, 0));
    spnUndoMemory = new QSpinBox(this);
    spnUndoMemory->setObjectName("spnUndoMemory");
    spnUndoMemory->setGeometry(106, 389, 249, 21);
    spnUndoMemory->setRange(0, MaxUndoMemory);
    spnUndoMemory->setSuffix(" MB");
    spnUndoMemory->setGroupSeparatorShown(true);
    SetTabOrder({lvPreview, btnFont, cmbImportEncoding, cmbExportEncoding, chkKeepLists, spnUndoMemory});
    AddOkCancel(QPoint(378, 19), QPoint(378, 55));
}

bool TfrmSettings::Execute(TKeyItems& list, TFileEncodings& encodings, TKeepingSettings& keeping) {
    CheckpointScope checkpoint("d045");
    setWindowTitle("Colors & Fonts (" + ShownText(list.Name) + ")");
    Working.Assign(list.Settings);
    ShowWorkingFont();
    for (int k = 1; k <= 4; ++k)
        DrawFace(k);
    preview_->Repaint();
    ShowEncoding(*cmbImportEncoding, encodings.Import);
    ShowEncoding(*cmbExportEncoding, encodings.Export);
    chkKeepLists->setChecked(keeping.KeepLists);
    // 0 stands for the automatic share, shown with what it amounts to now.
    spnUndoMemory->setSpecialValueText(
        QString("Automatic (%1 MB)").arg(QLocale().toString(keeping.AutomaticUndoMemory)));
    spnUndoMemory->setValue(keeping.UndoMemory);
    if (!RunModally())
        return false;
    list.Settings.Assign(Working);
    encodings = {ChosenEncoding(*cmbImportEncoding), ChosenEncoding(*cmbExportEncoding)};
    keeping.KeepLists = chkKeepLists->isChecked();
    keeping.UndoMemory = spnUndoMemory->value();
    return true;
}

void TfrmSettings::ColorButtonClick(int colorIndex) {
    QColorDialog dialog(ToQColor(Working.GetColor(colorIndex)));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (RunModal(dialog, OwnerWindow) != QDialog::Accepted)
        return;
    Working.SetColor(colorIndex, ToColorValue(dialog.selectedColor()));
    DrawFace(colorIndex);
    preview_->Repaint();
}

void TfrmSettings::btnFontClick() {
    QFontDialog dialog(ToQFont(Working.Font));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (RunModal(dialog, OwnerWindow) != QDialog::Accepted)
        return;
    AssignFont(Working.Font, dialog.selectedFont());
    ShowWorkingFont();
}

void TfrmSettings::DrawFace(int colorIndex) {
    QToolButton* button = ColorButtons[static_cast<std::size_t>(colorIndex - 1)];
    const QString word = ColorButtonPlaces[colorIndex - 1].Word;
    button->setIcon(
        QIcon(ColorButtonFace(Working.GetColor(colorIndex), word, dropArrow_, button->devicePixelRatioF())));
}

void TfrmSettings::ShowWorkingFont() {
    const QFont font = ToQFont(Working.Font);
    lvPreview->setFont(font);
    lvPreview->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 3);
}
