#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>

class QMenu;

// The mouse messages that the notification area reports for an icon.
enum class TTrayMouse { LeftUp, LeftDoubleClick, RightUp };

// What the notification area is told about one icon.
struct TNotifyIconData {
    QString Tip;
    QIcon Icon;
};

// The notification area as the tray icon uses it; the program's is the system tray, tests record the calls.
class ITrayShell {
public:
    virtual ~ITrayShell() = default;
    virtual void Add(const TNotifyIconData& data) = 0;
    virtual void Modify(const TNotifyIconData& data) = 0;
    virtual void Delete() = 0;
    virtual QPoint CursorPos() const = 0;
    virtual void ShowMenu(QMenu& menu, QPoint at) = 0;
    // Where the shell reports mouse messages on the icon.
    virtual void SetReceiver(std::function<void(TTrayMouse)> receiver) = 0;
};

std::unique_ptr<ITrayShell> NewSystemTrayShell();
