#pragma once

#include "dialogs/ImageStrip.h"

#include <QPointer>
#include <QWidget>

class QAction;

// The image button: drawn from three consecutive images of a strip (normal, under the mouse, pressed) with
// its caption painted over them. It takes no keyboard focus and answers the left mouse button only.
class TButtonEx : public QWidget {
    Q_OBJECT
public:
    enum TVisualState { Normal = 0, Hover = 1, Pressed = 2 };

    explicit TButtonEx(QWidget* parent = nullptr);

    TImageStrip* ImageList() const { return imageList_; }
    // Also resizes the button to the strip's image size.
    void SetImageList(TImageStrip* strip);
    int ImageStartIndex() const { return imageStartIndex_; }
    void SetImageStartIndex(int index);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Left and top edge of the caption; -1 centres it on that axis.
    int CaptionMarginX() const { return captionMarginX_; }
    void SetCaptionMarginX(int margin);
    int CaptionMarginY() const { return captionMarginY_; }
    void SetCaptionMarginY(int margin);
    // While true the button shows its pressed image whatever the mouse does.
    bool Down() const { return down_; }
    void SetDown(bool down);
    TVisualState VisualState() const { return state_; }
    // Follows the command's enabled state and runs it on a click.
    void SetAction(QAction* action);

signals:
    // A completed left click: pressed and released over the button.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Click();
    void SetInside(bool inside);
    void Recompute();

    QPointer<TImageStrip> imageList_;
    QPointer<QAction> action_;
    int imageStartIndex_ = 0;
    QString caption_;
    int captionMarginX_ = -1;
    int captionMarginY_ = -1;
    bool down_ = false;
    bool inside_ = false;
    bool held_ = false;
    TVisualState state_ = Normal;
};
