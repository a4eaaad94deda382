#pragma once

class QMenu;
class QWidget;

// Opens the menu at the control's bottom-left corner.
void PopupBelow(QMenu& menu, const QWidget& control);
