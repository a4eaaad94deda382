#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>

// A font with its colour, as a label shows it.
struct TLabelFont {
    QFont Font;
    QColor Color;
    bool operator==(const TLabelFont&) const = default;
};

// The hyperlink label: shows HoverFont while the mouse is over it and SimpleFont otherwise, with a hand
// cursor.
class TLinkLabel : public QLabel {
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

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Show(const TLabelFont& font);

    TLabelFont simpleFont_;
    TLabelFont hoverFont_;
    bool hovering_ = false;
};
