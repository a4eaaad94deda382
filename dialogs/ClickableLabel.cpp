#include "dialogs/ClickableLabel.h"

#include <QMouseEvent>

void TClickableLabel::mousePressEvent(QMouseEvent* event) {
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        event->accept();
}

void TClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
