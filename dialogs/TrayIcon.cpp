#include "dialogs/TrayIcon.h"

#include "frame/ExceptionHook.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QWidget>

TTrayIcon::TTrayIcon(QObject* parent, std::unique_ptr<ITrayShell> shell)
    : QObject(parent), shell_(std::move(shell)), icon_(QApplication::windowIcon()) {
    shell_->SetReceiver([this](TTrayMouse message) { HandleMouse(message); });
}

TTrayIcon::~TTrayIcon() {
    if (visible_)
        shell_->Delete();
}

void TTrayIcon::SetTip(const QString& tip) {
    tip_ = tip;
    if (visible_)
        shell_->Modify(Data());
}

QString TTrayIcon::ShownTip() const {
    return tip_.section('|', 0, 0).left(63);
}

void TTrayIcon::SetIcon(const QIcon& icon) {
    icon_ = icon;
    if (visible_)
        shell_->Modify(Data());
}

void TTrayIcon::SetPopupMenu(QMenu* menu) {
    popupMenu_ = menu;
}

void TTrayIcon::SetIconVisible(bool visible) {
    if (visible)
        shell_->Add(Data());
    else
        shell_->Delete();
    visible_ = visible;
}

void TTrayIcon::HandleMouse(TTrayMouse message) {
    try {
        switch (message) {
        case TTrayMouse::LeftUp:
            Click(Qt::LeftButton);
            break;
        case TTrayMouse::LeftDoubleClick:
            DoubleClick();
            break;
        case TTrayMouse::RightUp:
            Click(Qt::RightButton);
            break;
        }
    } catch (...) {
        RaiseToApplicationHook(std::current_exception());
    }
}

void TTrayIcon::Click(Qt::MouseButton button) {
    const QPoint cursor = shell_->CursorPos();
    if (button == Qt::RightButton && Popup(cursor))
        return;
    if (OnClick)
        OnClick(*this, button, cursor);
}

bool TTrayIcon::Popup(QPoint at) {
    if (!visible_ || !popupMenu_)
        return false;
    // Drop-downs and mouse captures of the windows would otherwise keep the menu from closing.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    shell_->ShowMenu(*popupMenu_, at);
    return true;
}

void TTrayIcon::DoubleClick() {
    if (visible_ && popupMenu_ && popupMenu_->defaultAction()) {
        popupMenu_->defaultAction()->trigger();
        return;
    }
    if (OnDblClick)
        OnDblClick(*this);
}

TNotifyIconData TTrayIcon::Data() const {
    return {ShownTip(), icon_};
}
