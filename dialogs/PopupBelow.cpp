#include "dialogs/PopupBelow.h"

#include <QMenu>
#include <QWidget>

void PopupBelow(QMenu& menu, const QWidget& control) {
    menu.popup(control.mapToGlobal(QPoint(0, control.height())));
}
