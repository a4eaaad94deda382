#include "ui/Anchors.h"

#include <QWidget>

void TAnchors::Add(QWidget* control, unsigned anchors) {
    controls_.push_back({control, control->geometry(), anchors});
}

void TAnchors::Apply(QSize clientSize) const {
    const int dx = clientSize.width() - design_.width();
    const int dy = clientSize.height() - design_.height();
    for (const TAnchored& each : controls_) {
        QRect place = each.Designed;
        if (each.Anchors & AnchorAll)
            place.adjust(0, 0, dx, dy);
        if (each.Anchors & AnchorRight)
            place.translate(dx, 0);
        if (each.Anchors & AnchorBottom)
            place.translate(0, dy);
        each.Control->setGeometry(place);
    }
}
