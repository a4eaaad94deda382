#include "ui/MainWindow.h"

#include "core/BusinessLogicLayer.h"
#include "core/Exceptions.h"
#include "core/IntList.h"
#include "core/KeyItems.h"
#include "core/Utf8.h"
#include "dialogs/ApplicationLook.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/FileDialogSetup.h"
#include "dialogs/FontAndColor.h"
#include "dialogs/ImageStrip.h"
#include "dialogs/ModalRun.h"
#include "dialogs/PopupBelow.h"
#include "ui/Action.h"
#include "ui/BoldFont.h"
#include "ui/CommandTable.h"
#include "ui/EditCommands.h"
#include "ui/ListFilter.h"
#include "ui/ProgressDialog.h"
#include "ui/RowSelection.h"
#include "ui/TrayBehaviour.h"
#include "ui/WordFrequencyCommand.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTreeView>

namespace {

constexpr int CaptionLeft = 32;
constexpr int TabLeft = 25;
constexpr int TabStep = 103;
constexpr int TabTop = 240;
constexpr int TabCaptionLeft = 23;
constexpr int TabCaptionTop = 5;
constexpr QSize FileDialogSize{820, 520};
const QStringList FileNameFilters{"Text Files (*.txt)", "All Files (*)"};
constexpr QPoint DesignPosition{126, 89};
// The outer height the window can't be made smaller than; its width can't go below the design width.
constexpr int SmallestOuterHeight = 593;
// A row shows the start of its text, far more than the widest column holds: converting and measuring the
// whole of an entry of millions of bytes at every paint would freeze the window.
constexpr std::size_t ShownTextBytes = 4096;

// The banner's last pixel column with the keyword chips that cross it blended away, so that it can be
// stretched into a plain continuation of the banner's background.
QImage BannerEdge(const QPixmap& banner) {
    const QImage image = banner.toImage();
    QImage edge = image.copy(image.width() - 1, 0, 1, image.height());
    const int first = 58 * image.height() / 100;
    const int last = 70 * image.height() / 100;
    const QColor above = edge.pixelColor(0, first - 1);
    const QColor below = edge.pixelColor(0, last);
    for (int y = first; y < last; ++y) {
        const qreal t = qreal(y - first + 1) / (last - first + 1);
        edge.setPixelColor(0, y,
                           QColor::fromRgbF(above.redF() + (below.redF() - above.redF()) * t,
                                            above.greenF() + (below.greenF() - above.greenF()) * t,
                                            above.blueF() + (below.blueF() - above.blueF()) * t));
    }
    return edge;
}

// The local files among what is dragged, in their order.
std::vector<std::string> DroppedFiles(const QMimeData& data) {
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    return paths;
}

QString ResourceName(int number) {
    return QString("BtnImg%1").arg(number, 2, 10, QChar('0'));
}

QString StatusText(int entries, int highlighted) {
    const QLocale locale;
    return QString("%1 %2, %3 highlighted")
        .arg(locale.toString(entries), entries == 1 ? "entry" : "entries", locale.toString(highlighted));
}

// Says that commands still read the whole list, so that a hidden highlighted entry surprises no one.
QString FilterText(int shown, int entries) {
    const QLocale locale;
    return QString("  \u2014  Filter: %1 of %2 shown, commands act on the whole list")
        .arg(locale.toString(shown), locale.toString(entries));
}

} // namespace

TfrmMain::TfrmMain(const TBusinessLogicLayer& lists, IMessageBoxes& boxes) : lists_(lists), boxes_(boxes) {
    setObjectName("frmMain");
    ilButtons = new TImageStrip(QSize(152, 28), this);
    ilButtons2 = NewSmallButtonStrip(this);
    ilTabs = new TImageStrip(QSize(102, 22), this);
    for (int i = 0; i < 3; ++i)
        ilTabs->AddResource(QString("TabImg%1").arg(i));
    CreateCommands();
    CreateControls();
    tray_ = new TTrayBehaviour(*this, boxes_);
    setMinimumSize(DesignSize.width(), SmallestOuterHeight - FrameSize.height());
    move(DesignPosition);
    resize(DesignSize);
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateCommands() {
    for (const TCommand& command : CommandTable()) {
        auto* action = new TAction(command.Name, &commands_);
        // Captions are shown as they are: "&" is no access key here.
        action->setText(QString(command.Caption).replace('&', "&&"));
        if (command.Shortcut) {
            action->setShortcut(QKeySequence(command.Shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
            addAction(action);
        }
        commands_.Add(action);
    }
    for (const TEditCommand& command : EditCommands) {
        auto* action = new TAction(command.Name, &commands_);
        action->setText(command.Caption);
        QList<QKeySequence> keys;
        for (const char* shortcut : command.Shortcuts)
            if (shortcut)
                keys << QKeySequence(shortcut);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        commands_.Add(action);
    }
    auto* wordFrequency = new TAction(WordFrequencyCommand.Name, &commands_);
    wordFrequency->setText(WordFrequencyCommand.Caption);
    commands_.Add(wordFrequency);
}

void TfrmMain::CreateControls() {
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    const TArtwork banner = LoadArtwork("Banner");
    Image1->setPixmap(banner.For(devicePixelRatioF()));
    bannerEdge_ = BannerEdge(banner.Normal);
    Image1->setGeometry(0, 0, 792, 100);
    Image3 = new QLabel(this);
    Image3->setObjectName("Image3");
    Image3->setPixmap(LoadArtwork("Logo").For(devicePixelRatioF()));
    Image3->setGeometry(606, 13, 173, 25);
    Image3->setCursor(Qt::PointingHandCursor);
    Image3->installEventFilter(this);
    anchors_.Add(Image3, AnchorRight);

    const std::pair<const char*, int> steps[] = {
        {"1. Create List", 25}, {"2. Change", 190}, {"3. Handle Output", 355}};
    for (const auto& [caption, left] : steps) {
        auto* label = new QLabel(caption, this);
        label->setFont(VisibleBoldFont(8));
        label->adjustSize();
        label->move(left, 109);
    }

    btnAdd = NewButton("btnAdd", ilButtons, 0, "Add", {24, 129, 152, 28});
    btnImport = NewButton("btnImport", ilButtons, 3, "Import", {24, 160, 152, 28});
    btnDelete = NewButton("btnDelete", ilButtons, 6, "Delete", {24, 191, 152, 28});
    btnClean = NewButton("btnClean", ilButtons, 9, "Clean", {189, 129, 152, 28});
    btnModify = NewButton("btnModify", ilButtons, 12, "Modify", {189, 160, 152, 28});
    btnMultiply = NewButton("btnMultiply", ilButtons, 15, "Multiply", {189, 191, 152, 28});
    btnHighlight = NewButton("btnHighlight", ilButtons, 18, "Highlight", {354, 129, 152, 28});
    btnExport = NewButton("btnExport", ilButtons, 21, "Export", {354, 160, 152, 28});
    btnLists = NewButton("btnLists", ilButtons, 24, "Lists", {354, 191, 152, 28});
    btnConfig = NewButton("btnConfig", ilButtons2, 3, "Config", {671, 129, 102, 28});
    btnAbout = NewButton("btnAbout", ilButtons2, 6, "About", {671, 160, 102, 28});
    btnEdit = NewButton(EditButtonName, ilButtons2, 15, "Edit", {671, 191, 102, 28});
    btnTray = NewButton("btnTray", ilButtons2, 9, "Tray", {671, 478, 102, 28});
    btnClose = NewButton("btnClose", ilButtons2, 12, "Close", {671, 509, 102, 28});
    anchors_.Add(btnConfig, AnchorRight);
    anchors_.Add(btnAbout, AnchorRight);
    anchors_.Add(btnEdit, AnchorRight);
    anchors_.Add(btnTray, AnchorRight | AnchorBottom);
    anchors_.Add(btnClose, AnchorRight | AnchorBottom);
    connect(btnAdd, &TButtonEx::clicked, this, [this] { Listener().AddKeywords(); });
    connect(btnImport, &TButtonEx::clicked, this, [this] { Listener().Import(); });
    connect(btnAbout, &TButtonEx::clicked, this, [this] { Listener().ShowAbout(); });
    connect(btnTray, &TButtonEx::clicked, this, [this] { tray_->SendToTray(); });
    connect(btnClose, &TButtonEx::clicked, this, &QWidget::close);

    Shape1 = new QFrame(this);
    Shape1->setObjectName("Shape1");
    Shape1->setGeometry(25, 261, 627, 276);
    Shape1->setStyleSheet("#Shape1 { background: white; border: 1px solid rgb(145, 155, 157); }");
    anchors_.Add(Shape1, AnchorAll);

    lvMain = new TODListView(this);
    lvMain->setObjectName("lvMain");
    lvMain->setGeometry(29, 265, 619, 268);
    lvMain->setFrameShape(QFrame::NoFrame);
    lvMain->SetColumnCaptions("#", "Keywords");
    lvMain->SetColumnWidth(0, 100);
    lvMain->SetColumnWidth(1, 273);
    lvMain->OnData = [this](int row, TODRow& data) { lvMainData(row, data); };
    lvMain->OnCustomDrawItem = [this](int row, TODRowColors& colors) { lvMainCustomDrawItem(row, colors); };
    lvMain->OnColumnClick = [this](int column) { Listener().SortByColumn(column); };
    lvMain->OnODError = [this](TODErrorStage, int) { Listener().ResetView(); };
    anchors_.Add(lvMain, AnchorAll);
    lvMain->installEventFilter(this);
    setAcceptDrops(true);
    connect(&lvMain->Selection(), &TRowSelection::RowsChanged, this, &TfrmMain::StatusChanged);

    // In the strip between the list's frame and the window's bottom edge, clear of every other control.
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setGeometry(25, 540, 627, 18);
    anchors_.Add(lblStatus, AnchorBottom);

    // Right of the list tabs, above the Tray and Close buttons: no other control is near.
    edtFilter = new QLineEdit(this);
    edtFilter->setObjectName("edtFilter");
    edtFilter->setGeometry(671, 240, 102, 22);
    edtFilter->setPlaceholderText("Filter");
    edtFilter->setClearButtonEnabled(true);
    anchors_.Add(edtFilter, AnchorRight);
    filter_ = new TListFilter(
        *lvMain, [this] { return lists_.CurrentList(); }, this);
    connect(edtFilter, &QLineEdit::textChanged, filter_, &TListFilter::SetText);
    connect(filter_, &TListFilter::Shown, this, &TfrmMain::StatusChanged);
    progress_ = std::make_unique<TProgressDialog>(*this, *lvMain);
    ShowStatus();
}

TButtonEx* TfrmMain::NewButton(const char* name, TImageStrip* strip, int firstImage, const char* caption,
                               QRect place) {
    auto* button = new TButtonEx(this);
    button->setObjectName(name);
    button->SetImageList(strip);
    button->SetImageStartIndex(firstImage);
    button->SetCaption(caption);
    button->SetCaptionMarginX(CaptionLeft);
    button->setGeometry(place);
    return button;
}

IMainViewEvents& TfrmMain::Listener() const {
    if (!Events)
        throw Exception("The main window has no controller");
    return *Events;
}

TButtonEx* TfrmMain::NewListTab(int index) {
    auto* tab = new TButtonEx(this);
    tab->SetImageList(ilTabs);
    tab->move(TabLeft + TabStep * index, TabTop);
    tab->SetCaptionMarginX(TabCaptionLeft);
    tab->SetCaptionMarginY(TabCaptionTop);
    connect(tab, &TButtonEx::clicked, this, [this, index] { Listener().SelectListTab(index); });
    tab->show();
    return tab;
}

void TfrmMain::ShowListTabs(const std::vector<std::string>& names, int current) {
    while (listTabs_.size() < names.size())
        listTabs_.push_back(NewListTab(static_cast<int>(listTabs_.size())));
    for (std::size_t i = 0; i < names.size(); ++i) {
        TButtonEx* tab = listTabs_[i];
        const bool pressed = static_cast<int>(i) == current;
        tab->SetCaption(QString::fromStdString(names[i]));
        if (pressed)
            tab->raise();
        else
            tab->lower();
        tab->SetDown(pressed);
    }
}

void TfrmMain::LoadButtonImages() {
    for (int i = 1; i <= 24; ++i)
        ilButtons->AddResource(ResourceName(i));
    for (int i = 25; i <= 39; ++i)
        ilButtons2->AddResource(ResourceName(i));
    for (int i = 40; i <= 42; ++i)
        ilButtons->AddResource(ResourceName(i));
}

void TfrmMain::AttachMenus() {
    for (const TMenu& info : MenuTable()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(info.Name);
        QMap<QString, QMenu*> submenus;
        for (const TCommand* command : MenuCommands(info.Id)) {
            const TMenuPlace& place = command->Place;
            QMenu* target = menu;
            if (place.Submenu) {
                target = submenus.value(place.Submenu);
                if (!target) {
                    if (place.SeparatorBefore)
                        menu->addSeparator();
                    target = menu->addMenu(place.Submenu);
                    submenus.insert(place.Submenu, target);
                } else if (place.SeparatorBefore) {
                    target->addSeparator();
                }
            } else if (place.SeparatorBefore) {
                menu->addSeparator();
            }
            TAction* action = commands_.Find(command->Name);
            if (!action)
                throw Exception(std::string("The main window has no command ") + command->Name);
            target->addAction(action);
        }
        auto* button = findChild<TButtonEx*>(info.Button);
        if (!button)
            throw Exception(std::string("The main window has no button ") + info.Button);
        connect(button, &TButtonEx::clicked, menu, [menu, button] { PopupBelow(*menu, *button); });
        menus_.insert(info.Name, menu);
    }
    auto* edit = new QMenu(this);
    edit->setObjectName(EditMenuName);
    for (const TEditCommand& command : EditCommands)
        edit->addAction(commands_.Find(command.Name));
    connect(btnEdit, &TButtonEx::clicked, edit, [this, edit] { PopupBelow(*edit, *btnEdit); });
    menus_.insert(EditMenuName, edit);
    // The word-frequency dialog follows the table's commands of the Lists menu.
    QMenu* lists = menus_.value(ListsMenuName);
    lists->addSeparator();
    lists->addAction(commands_.Find(WordFrequencyCommand.Name));
}

void TfrmMain::SetRowCount(int count) {
    lvMain->SetRowCount(count);
    filter_->ListChanged();
    StatusChanged();
}

int TfrmMain::RowCount() const {
    return lvMain->RowCount();
}

void TfrmMain::InvalidateRows() {
    lvMain->viewport()->update();
    filter_->ListChanged();
    StatusChanged();
}

void TfrmMain::ClearSelection() {
    lvMain->Selection().ClearRows();
}

int TfrmMain::SelectedCount() const {
    return lvMain->Selection().SelectedCount();
}

std::vector<int> TfrmMain::SelectedRows() const {
    return lvMain->Selection().SelectedRows();
}

std::vector<TRowRun> TfrmMain::SelectedRuns() const {
    return lvMain->Selection().SelectedRuns();
}

void TfrmMain::SelectRuns(const std::vector<TRowRun>& runs) {
    lvMain->Selection().SelectRuns(runs);
}

bool TfrmMain::RowSelected(int row) const {
    return lvMain->Selection().RowSelected(row);
}

void TfrmMain::SetRowSelected(int row, bool selected) {
    lvMain->Selection().SetRowSelected(row, selected);
}

void TfrmMain::SelectAll() {
    lvMain->Selection().SelectAllRows();
}

void TfrmMain::InvertSelection() {
    lvMain->Selection().InvertRows();
}

void TfrmMain::SelectOnly(const TIntList& rows) {
    lvMain->Selection().SelectOnly(rows);
}

int TfrmMain::ColumnCount() const {
    return TODListView::Columns;
}

int TfrmMain::ColumnWidth(int column) const {
    return lvMain->ColumnWidth(column);
}

void TfrmMain::SetColumnWidth(int column, int width) {
    lvMain->SetColumnWidth(column, width);
}

void TfrmMain::SetListFont(const TFontSpec& font) {
    lvMain->SetListFont(ToQFont(font));
}

bool TfrmMain::ShowProgress(const std::string& caption, double fraction, bool cancellable) {
    return progress_->Show(QString::fromStdString(caption), fraction, cancellable);
}

void TfrmMain::EndProgress() {
    if (!progress_->Visible())
        return;
    progress_->End();
    // What the status line should have shown meanwhile.
    StatusChanged();
}

ICommandObserver* TfrmMain::CommandObserver() {
    return filter_;
}

TMsgResult TfrmMain::Ask(const std::string& text, TMsgButtons buttons, TMsgIcon icon) {
    EndProgress();
    return boxes_.Show(this, text, ApplicationTitle, icon, buttons);
}

std::optional<std::string> TfrmMain::ChooseSaveFile(const std::string& folder) {
    return ChooseFile(folder, true);
}

std::optional<std::string> TfrmMain::ChooseOpenFile(const std::string& folder) {
    return ChooseFile(folder, false);
}

std::optional<std::string> TfrmMain::ChooseFile(const std::string& folder, bool save) {
    QFileDialog& dialog = FileDialog(save);
    // As a new dialog would start: the first filter, no file picked and no name (which selectFile cannot
    // clear).
    dialog.selectNameFilter(FileNameFilters.front());
    if (auto* details = dialog.findChild<QTreeView*>("treeView"))
        details->clearSelection();
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"))
        name->clear();
    if (!folder.empty())
        dialog.setDirectory(QString::fromStdString(folder));
    if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

QFileDialog& TfrmMain::FileDialog(bool save) {
    // Kept for the next time: making one takes longer than showing it.
    QFileDialog*& kept = save ? saveDialog_ : openDialog_;
    if (kept)
        return *kept;
    auto* dialog = new QFileDialog(this);
    NeverReadFilesWhileBrowsing(*dialog);
    dialog->setObjectName(save ? "SaveDialog1" : "OpenDialog1");
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters(FileNameFilters);
    dialog->setDefaultSuffix("txt");
    // Roomy enough to show the file names, sizes and dates in full at the window font.
    dialog->resize(FileDialogSize);
    if (auto* details = dialog->findChild<QTreeView*>("treeView")) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        const int widths[] = {0, 90, 110, 150};
        for (int column = 1; column < header->count() && column < 4; ++column)
            header->resizeSection(column, widths[column]);
    }
    kept = dialog;
    return *dialog;
}

TWindowBounds TfrmMain::Bounds() const {
    return {x(), y(), width() + FrameSize.width(), height() + FrameSize.height()};
}

void TfrmMain::SetBounds(const TWindowBounds& bounds) {
    move(bounds.Left, bounds.Top);
    resize(bounds.Width - FrameSize.width(), bounds.Height - FrameSize.height());
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    anchors_.Apply(size());
    TControlledForm::resizeEvent(event);
}

void TfrmMain::paintEvent(QPaintEvent* event) {
    TControlledForm::paintEvent(event);
    if (width() <= Image1->width())
        return;
    QPainter painter(this);
    painter.drawImage(QRect(Image1->width(), 0, width() - Image1->width(), Image1->height()), bannerEdge_);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Image3->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        Listener().OpenHomePage();
        return true;
    }
    if (watched == lvMain && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Delete))
            return RunCommand("aDeleteHighlighted");
        if (key->matches(QKeySequence::Copy))
            return RunCommand("aExportToClipboardHighlighted");
    }
    return TControlledForm::eventFilter(watched, event);
}

bool TfrmMain::RunCommand(const char* name) {
    TAction* action = commands_.Find(name);
    action->Update();
    if (action->isEnabled())
        action->trigger();
    return true;
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFiles(*event->mimeData()).empty())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = DroppedFiles(*event->mimeData());
    if (paths.empty())
        return;
    event->acceptProposedAction();
    Listener().ImportFiles(paths);
}

void TfrmMain::lvMainData(int row, TODRow& data) const {
    const TKeyItems* list = lists_.CurrentList();
    if (!list)
        return;
    data.Caption = QString::number(row + 1);
    const std::string_view text = Utf8::CutAtChar(list->GetKeyItem(row).Text(), ShownTextBytes);
    data.SubItem = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void TfrmMain::StatusChanged() {
    // Selecting row by row reports every row; the label is set once, when the loop is idle again.
    if (statusPending_)
        return;
    statusPending_ = true;
    QMetaObject::invokeMethod(this, &TfrmMain::ShowStatus, Qt::QueuedConnection);
}

void TfrmMain::ShowStatus() {
    statusPending_ = false;
    if (ProgressPumping())
        return;
    const TKeyItems* list = lists_.CurrentList();
    const int entries = list ? list->Count() : lvMain->RowCount();
    QString status = StatusText(entries, lvMain->Selection().SelectedCount());
    if (lvMain->Filtered())
        status += FilterText(lvMain->ShownCount(), entries);
    lblStatus->setText(status);
}

void TfrmMain::lvMainCustomDrawItem(int row, TODRowColors& colors) const {
    const TKeyItems* list = lists_.CurrentList();
    if (!list)
        return;
    const bool odd = (row + 1) % 2 == 1;
    const TListSettings& settings = list->Settings;
    colors.Text = ToQColor(settings.GetColor(odd ? TListSettings::OddText : TListSettings::EvenText));
    colors.Background = ToQColor(settings.GetColor(odd ? TListSettings::OddBack : TListSettings::EvenBack));
}
