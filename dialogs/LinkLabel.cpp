#include "dialogs/LinkLabel.h"

TLinkLabel::TLinkLabel(QWidget* parent) : TClickableLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    simpleFont_ = ShownFont();
    hoverFont_ = simpleFont_;
    hoverFont_.Font.setUnderline(true);
    hoverFont_.Color = QColor(0, 0, 255);
}

void TLinkLabel::SetSimpleFont(const TLabelFont& font) {
    simpleFont_ = font;
    if (!hovering_)
        Show(simpleFont_);
}

void TLinkLabel::SetHoverFont(const TLabelFont& font) {
    hoverFont_ = font;
    if (hovering_)
        Show(hoverFont_);
}

TLabelFont TLinkLabel::ShownFont() const {
    return {font(), palette().color(QPalette::WindowText)};
}

void TLinkLabel::enterEvent(QEnterEvent* event) {
    hovering_ = true;
    Show(hoverFont_);
    TClickableLabel::enterEvent(event);
}

void TLinkLabel::leaveEvent(QEvent* event) {
    hovering_ = false;
    Show(simpleFont_);
    TClickableLabel::leaveEvent(event);
}

void TLinkLabel::Show(const TLabelFont& font) {
    setFont(font.Font);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, font.Color);
    setPalette(colours);
}
