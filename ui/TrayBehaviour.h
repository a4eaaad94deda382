#pragma once

#include "dialogs/TrayShell.h"
#include "frame/MessageBoxService.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QWidget;
class TTrayIcon;

// Puts the main window away into the notification area and brings it back: "Tray" shows the icon and hides
// the window; the icon's menu restores the window or ends the program, and a double click restores it.
// Where the desktop has no notification area the window is minimised instead, since a hidden window without
// an icon could never be brought back; the user is told why the first time.
class TTrayBehaviour : public QObject {
    Q_OBJECT
public:
    static constexpr const char* Tip = "Pellox Termwright V 1.0";
    static constexpr const char* NoTrayMessage =
        "This desktop has no notification area, so the window is minimised to the taskbar instead of "
        "being put into the tray.";

    TTrayBehaviour(QWidget& window, IMessageBoxes& boxes,
                   std::unique_ptr<ITrayShell> shell = NewSystemTrayShell());

    TTrayIcon& TrayIcon1() const { return *trayIcon_; }
    QMenu& mnuTray() const { return *menu_; }
    QAction& mnuRestoreWindow() const { return *restore_; }
    QAction& mnuExit() const { return *exit_; }

    // Whether the desktop has a notification area now; the system's answer by default.
    std::function<bool()> TrayAvailable;

    // The button "Tray".
    void SendToTray();
    void Restore();
    // The same as the window's "Close".
    void Exit();
    bool InTray() const;

private:
    QWidget& window_;
    IMessageBoxes& boxes_;
    TTrayIcon* trayIcon_ = nullptr;
    QMenu* menu_ = nullptr;
    QAction* restore_ = nullptr;
    QAction* exit_ = nullptr;
    bool explained_ = false;
};
