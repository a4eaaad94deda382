#include "ui/TrayBehaviour.h"

#include "dialogs/Artwork.h"
#include "dialogs/TrayIcon.h"
#include "ui/BoldFont.h"
#include "ui/MainFormController.h"

#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

TTrayBehaviour::TTrayBehaviour(QWidget& window, IMessageBoxes& boxes, std::unique_ptr<ITrayShell> shell)
    : QObject(&window), TrayAvailable([] { return QSystemTrayIcon::isSystemTrayAvailable(); }),
      window_(window), boxes_(boxes) {
    trayIcon_ = new TTrayIcon(this, std::move(shell));
    menu_ = new QMenu(&window);
    restore_ = menu_->addAction("Restore Window...");
    menu_->addSeparator();
    exit_ = menu_->addAction("Exit");
    menu_->setDefaultAction(restore_);
    restore_->setFont(VisibleBoldFont(menu_->font().pointSize()));
    connect(restore_, &QAction::triggered, this, &TTrayBehaviour::Restore);
    connect(exit_, &QAction::triggered, this, &TTrayBehaviour::Exit);
    trayIcon_->SetTip(Tip);
    trayIcon_->SetIcon(ProgramIcon());
    trayIcon_->SetPopupMenu(menu_);
    trayIcon_->OnDblClick = [this](TTrayIcon&) { Restore(); };
}

void TTrayBehaviour::SendToTray() {
    if (!TrayAvailable()) {
        if (!explained_) {
            explained_ = true;
            boxes_.Show(&window_, NoTrayMessage, ApplicationTitle, TMsgIcon::Information, TMsgButtons::Ok);
        }
        window_.showMinimized();
        return;
    }
    trayIcon_->SetIconVisible(true);
    window_.hide();
}

void TTrayBehaviour::Restore() {
    trayIcon_->SetIconVisible(false);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void TTrayBehaviour::Exit() {
    window_.close();
}

bool TTrayBehaviour::InTray() const {
    return trayIcon_->IconVisible() && !window_.isVisible();
}
