#pragma once

#include "dialogs/TrayShell.h"

#include <QMenu>
#include <QObject>
#include <QPointer>

// The notification-area icon: an icon with a tip, a popup menu on right click and the menu's default item
// on double click. Every assignment of IconVisible adds or removes the icon, also when the value is
// unchanged.
class TTrayIcon : public QObject {
    Q_OBJECT
public:
    using TClickHandler = std::function<void(TTrayIcon& sender, Qt::MouseButton button, QPoint cursor)>;
    using TNotifyHandler = std::function<void(TTrayIcon& sender)>;

    // The icon starts as the application's icon.
    explicit TTrayIcon(QObject* parent = nullptr, std::unique_ptr<ITrayShell> shell = NewSystemTrayShell());
    ~TTrayIcon() override;

    QString Tip() const { return tip_; }
    void SetTip(const QString& tip);
    // The tip as the notification area shows it: up to the first "|", at most 63 characters.
    QString ShownTip() const;
    QIcon Icon() const { return icon_; }
    void SetIcon(const QIcon& icon);
    QMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(QMenu* menu);
    bool IconVisible() const { return visible_; }
    void SetIconVisible(bool visible);

    // Left click, or right click when no menu pops up; gets the cursor's screen position.
    TClickHandler OnClick;
    // Double click when the menu has no default item.
    TNotifyHandler OnDblClick;

    // A mouse message from the notification area. A handler's exception goes to the application's handler.
    void HandleMouse(TTrayMouse message);

private:
    void Click(Qt::MouseButton button);
    bool Popup(QPoint at);
    void DoubleClick();
    TNotifyIconData Data() const;

    std::unique_ptr<ITrayShell> shell_;
    QString tip_;
    QIcon icon_;
    QPointer<QMenu> popupMenu_;
    bool visible_ = false;
};
