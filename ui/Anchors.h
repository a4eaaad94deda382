#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

enum TAnchor : unsigned { AnchorRight = 1, AnchorBottom = 2, AnchorAll = 4 };

// Keeps controls at their distance from the right or bottom edge of their window, or makes them grow with
// it, relative to the size the window was designed at.
class TAnchors {
public:
    explicit TAnchors(QSize designSize) : design_(designSize) {}

    // The control's current geometry is its place at the design size.
    void Add(QWidget* control, unsigned anchors);
    void Apply(QSize clientSize) const;

private:
    struct TAnchored {
        QWidget* Control;
        QRect Designed;
        unsigned Anchors;
    };
    QSize design_;
    std::vector<TAnchored> controls_;
};
