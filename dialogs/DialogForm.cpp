#include "DialogForm.h"

#include "ApplicationLook.h"
#include "MessageBox.h"
#include "ModalRun.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

TDialogForm::TDialogForm(const QString& title, QSize clientSize) : strip_(NewSmallButtonStrip(this)) {
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
    const QScreen* screen = MainWindowHandle ? MainWindowHandle->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
    return RunModal(*this) == QDialog::Accepted;
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

void TDialogForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
