#include "dialogs/DialogForm.h"

#include "dialogs/ApplicationLook.h"
#include "dialogs/ModalRun.h"
#include "frame/MessageBoxService.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {
// Room beside the title for the window's icon and its buttons, as the usual window managers draw them.
constexpr int TitleBarExtras = 120;
} // namespace

int TitleBarWidth(const QString& title) {
    return QFontMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont)).horizontalAdvance(title) +
           TitleBarExtras;
}

TDialogForm::TDialogForm(const QString& title, QSize clientSize)
    : strip_(NewSmallButtonStrip(this)), designWidth_(clientSize.width()) {
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(WindowFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColor());
    setPalette(colours);
    setAutoFillBackground(true);
}

bool TDialogForm::RunModally() {
    FitTitle();
    const QScreen* screen = OwnerWindow ? OwnerWindow->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    return RunModal(*this, OwnerWindow) == QDialog::Accepted;
}

void TDialogForm::AddOkCancel(QPoint ok, QPoint cancel, const char* okName) {
    connect(AddImageButton(okName, "OK", ok), &TButtonEx::clicked, this, &QDialog::accept);
    connect(AddImageButton("ButtonEx2", "Cancel", cancel), &TButtonEx::clicked, this, &QDialog::reject);
}

TButtonEx* TDialogForm::AddImageButton(const char* name, const QString& caption, QPoint at) {
    auto* button = new TButtonEx(this);
    button->setObjectName(name);
    button->SetImageList(strip_);
    button->SetCaption(caption);
    button->move(at);
    return button;
}

void TDialogForm::FitTitle() {
    const int fitting = std::max(designWidth_, TitleBarWidth(windowTitle()));
    if (fitting == width())
        return;
    // The controls keep their places in the middle of the wider dialog.
    const int shift = (fitting - designWidth_) / 2 - (width() - designWidth_) / 2;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x() + shift, child->y());
    setFixedSize(fitting, height());
}

void TDialogForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
