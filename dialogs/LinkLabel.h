#pragma once

#include "dialogs/ClickableLabel.h"

#include <QColor>
#include <QFont>

// A font with its colour, as a label shows it.
struct TLabelFont {
    QFont Font;
    QColor Color;
    bool operator==(const TLabelFont&) const = default;
};

// The hyperlink label: shows HoverFont while the mouse is over it and SimpleFont otherwise, with a hand
// cursor.
class TLinkLabel : public TClickableLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    TLabelFont SimpleFont() const { return simpleFont_; }
    void SetSimpleFont(const TLabelFont& font);
    TLabelFont HoverFont() const { return hoverFont_; }
    void SetHoverFont(const TLabelFont& font);
    bool Hovering() const { return hovering_; }
    // The font and colour the label shows now.
    TLabelFont ShownFont() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Show(const TLabelFont& font);

    TLabelFont simpleFont_;
    TLabelFont hoverFont_;
    bool hovering_ = false;
};
