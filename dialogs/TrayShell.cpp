#include "dialogs/TrayShell.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace {

class TSystemTrayShell : public ITrayShell {
public:
    void Add(const TNotifyIconData& data) override {
        Modify(data);
        icon_.show();
    }
    void Modify(const TNotifyIconData& data) override {
        icon_.setIcon(data.Icon);
        icon_.setToolTip(data.Tip);
    }
    void Delete() override { icon_.hide(); }
    QPoint CursorPos() const override { return QCursor::pos(); }
    void ShowMenu(QMenu& menu, QPoint at) override { menu.popup(at); }
    void SetReceiver(std::function<void(TTrayMouse)> receiver) override {
        QObject::connect(&icon_, &QSystemTrayIcon::activated, &icon_,
                         [receiver](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger)
                                 receiver(TTrayMouse::LeftUp);
                             else if (reason == QSystemTrayIcon::DoubleClick)
                                 receiver(TTrayMouse::LeftDoubleClick);
                             else if (reason == QSystemTrayIcon::Context)
                                 receiver(TTrayMouse::RightUp);
                         });
    }

private:
    QSystemTrayIcon icon_;
};

} // namespace

std::unique_ptr<ITrayShell> NewSystemTrayShell() {
    return std::make_unique<TSystemTrayShell>();
}
