#include "dialogs/ButtonEx.h"

#include "frame/ExceptionHook.h"

#include <QAction>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

TButtonEx::TButtonEx(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void TButtonEx::SetImageList(TImageStrip* strip) {
    if (imageList_)
        disconnect(imageList_, nullptr, this, nullptr);
    imageList_ = strip;
    if (strip) {
        connect(strip, &TImageStrip::Changed, this, qOverload<>(&QWidget::update));
        resize(strip->ImageSize());
    }
    update();
}

void TButtonEx::SetImageStartIndex(int index) {
    imageStartIndex_ = index;
    update();
}

void TButtonEx::SetCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void TButtonEx::SetCaptionMarginX(int margin) {
    captionMarginX_ = margin;
    update();
}

void TButtonEx::SetCaptionMarginY(int margin) {
    captionMarginY_ = margin;
    update();
}

void TButtonEx::SetDown(bool down) {
    down_ = down;
    Recompute();
}

void TButtonEx::SetAction(QAction* action) {
    if (action_)
        disconnect(action_, nullptr, this, nullptr);
    action_ = action;
    if (!action)
        return;
    connect(action, &QAction::changed, this, [this] { setEnabled(action_->isEnabled()); });
    setEnabled(action->isEnabled());
}

void TButtonEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.5);
    if (imageList_)
        imageList_->Draw(painter, QPoint(0, 0), imageStartIndex_ + state_);
    if (caption_.isEmpty())
        return;
    const QFontMetrics metrics(font());
    const int x =
        captionMarginX_ == -1 ? (width() - metrics.horizontalAdvance(caption_)) / 2 : captionMarginX_;
    const int y = captionMarginY_ == -1 ? (height() - metrics.height()) / 2 : captionMarginY_;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(x, y + metrics.ascent(), caption_);
}

void TButtonEx::enterEvent(QEnterEvent*) {
    SetInside(true);
}

void TButtonEx::leaveEvent(QEvent*) {
    SetInside(false);
}

void TButtonEx::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    event->accept();
    // The press itself proves the mouse is over the button, also when no enter was seen before it.
    inside_ = rect().contains(event->position().toPoint());
    held_ = true;
    Recompute();
}

// While the button holds the mouse the toolkit sends no enter or leave, so crossing the edge is seen here.
void TButtonEx::mouseMoveEvent(QMouseEvent* event) {
    if (held_)
        SetInside(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TButtonEx::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (held_ && rect().contains(event->position().toPoint())) {
        const QPointer<TButtonEx> alive(this);
        CallReportingFailures([this] { Click(); });
        if (!alive)
            return;
    }
    held_ = false;
    Recompute();
    QWidget::mouseReleaseEvent(event);
}

void TButtonEx::Click() {
    // Settles the state also when the handler raises; the cursor is read afresh because the handler may
    // have run a modal dialog while the mouse moved away without a leave.
    struct Settle {
        QPointer<TButtonEx> button;
        ~Settle() {
            if (!button)
                return;
            button->held_ = false;
            button->inside_ = button->rect().contains(button->mapFromGlobal(QCursor::pos()));
            button->Recompute();
        }
    } settle{this};
    emit clicked();
    if (action_)
        action_->trigger();
}

void TButtonEx::SetInside(bool inside) {
    inside_ = inside;
    Recompute();
}

void TButtonEx::Recompute() {
    TVisualState state = Normal;
    if (down_ || (held_ && inside_))
        state = Pressed;
    else if (inside_ || held_)
        state = Hover;
    if (state == state_)
        return;
    state_ = state;
    update();
}
