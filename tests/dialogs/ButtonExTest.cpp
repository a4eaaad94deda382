#include "dialogs/ButtonEx.h"
#include "frame/ExceptionHook.h"

#include <QAction>
#include <QCursor>
#include <QPainter>
#include <QtTest>

#include <stdexcept>

namespace {
// A strip of three single-colour images, so the drawn image tells the state apart.
TImageStrip* ColourStrip(QObject* parent) {
    auto* strip = new TImageStrip(QSize(60, 20), parent);
    for (QColor colour : {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::yellow)}) {
        QPixmap picture(60, 20);
        picture.fill(colour);
        strip->Add({picture, QPixmap()});
    }
    return strip;
}

QColor DrawnColour(TButtonEx& button) {
    return button.grab().toImage().pixelColor(30, 10);
}
} // namespace

class ButtonExTest : public QObject {
    Q_OBJECT

    QWidget* window_ = nullptr;
    TButtonEx* button_ = nullptr;

    QPoint Inside() const { return QPoint(30, 10); }
    QPoint Outside() const { return QPoint(100, 50); }

private slots:
    void init() {
        window_ = new QWidget;
        window_->resize(200, 100);
        button_ = new TButtonEx(window_);
        button_->move(10, 10);
        button_->SetImageList(ColourStrip(window_));
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanup() { delete window_; }

    void strip_sizes_button_and_is_dropped_when_freed() {
        QCOMPARE(button_->size(), QSize(60, 20));
        delete button_->ImageList();
        QVERIFY(button_->ImageList() == nullptr);
        button_->repaint();
    }

    void press_drag_out_and_back_then_release_clicks() {
        int clicks = 0;
        connect(button_, &TButtonEx::clicked, this, [&] { ++clicks; });
        QCursor::setPos(button_->mapToGlobal(Inside()));
        QTest::mousePress(button_, Qt::LeftButton, {}, Inside());
        QCOMPARE(button_->VisualState(), TButtonEx::Pressed);
        QTest::mouseMove(button_, Outside());
        QCOMPARE(button_->VisualState(), TButtonEx::Hover);
        QTest::mouseMove(button_, Inside());
        QCOMPARE(button_->VisualState(), TButtonEx::Pressed);
        QTest::mouseRelease(button_, Qt::LeftButton, {}, Inside());
        QCOMPARE(clicks, 1);
        QCOMPARE(button_->VisualState(), TButtonEx::Hover);
    }

    void release_outside_does_not_click() {
        int clicks = 0;
        connect(button_, &TButtonEx::clicked, this, [&] { ++clicks; });
        QTest::mousePress(button_, Qt::LeftButton, {}, Inside());
        QTest::mouseMove(button_, Outside());
        QTest::mouseRelease(button_, Qt::LeftButton, {}, Outside());
        QCOMPARE(clicks, 0);
        QVERIFY(button_->VisualState() != TButtonEx::Pressed);
    }

    // The handler stands for a modal dialog during which the mouse left without a leave event.
    void click_rereads_cursor_after_handler() {
        connect(button_, &TButtonEx::clicked, this, [] { QCursor::setPos(QPoint(900, 700)); });
        QCursor::setPos(button_->mapToGlobal(Inside()));
        QTest::mouseClick(button_, Qt::LeftButton, {}, Inside());
        QCOMPARE(button_->VisualState(), TButtonEx::Normal);
        QCOMPARE(DrawnColour(*button_), QColor(Qt::red));
    }

    void raising_handler_leaves_no_pressed_state() {
        // The failure goes to the application's handler from the button itself, never up through the toolkit.
        std::exception_ptr reported;
        SetApplicationExceptionHook([&](std::exception_ptr error) { reported = error; });
        connect(button_, &TButtonEx::clicked, this, [] { throw std::runtime_error("handler failed"); });
        QCursor::setPos(QPoint(900, 700));
        QMouseEvent press(QEvent::MouseButtonPress, Inside(), button_->mapToGlobal(Inside()), Qt::LeftButton,
                          Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, Inside(), button_->mapToGlobal(Inside()),
                            Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(button_, &press);
        QApplication::sendEvent(button_, &release);
        SetApplicationExceptionHook({});
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, std::rethrow_exception(reported));
        QCOMPARE(button_->VisualState(), TButtonEx::Normal);
    }

    void right_button_neither_presses_nor_clicks() {
        int clicks = 0;
        connect(button_, &TButtonEx::clicked, this, [&] { ++clicks; });
        QTest::mousePress(button_, Qt::RightButton, {}, Inside());
        QVERIFY(button_->VisualState() != TButtonEx::Pressed);
        QTest::mouseRelease(button_, Qt::RightButton, {}, Inside());
        QCOMPARE(clicks, 0);
    }

    void down_shows_pressed_image_whatever_the_mouse_does() {
        button_->SetImageStartIndex(1);
        button_->SetDown(true);
        QCOMPARE(DrawnColour(*button_), QColor(Qt::yellow));
        QTest::mousePress(button_, Qt::LeftButton, {}, Inside());
        QTest::mouseMove(button_, Outside());
        QTest::mouseRelease(button_, Qt::LeftButton, {}, Outside());
        QCOMPARE(button_->VisualState(), TButtonEx::Pressed);
        button_->SetDown(false);
        QCOMPARE(DrawnColour(*button_), QColor(Qt::green));
    }

    void caption_margin_places_text() {
        auto* plain = new TButtonEx(window_);
        plain->resize(120, 28);
        plain->SetCaption("Import");
        plain->SetCaptionMarginX(32);
        plain->setAutoFillBackground(true);
        plain->setPalette(QPalette(Qt::white));
        QPalette text = plain->palette();
        text.setColor(QPalette::WindowText, Qt::black);
        plain->setPalette(text);
        const QImage image = plain->grab().toImage();
        int left = image.width(), top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 128) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        QVERIFY2(left >= 32 && left <= 34, qPrintable(QString::number(left)));
        const int metricsTop = (28 - QFontMetrics(plain->font()).height()) / 2;
        QVERIFY(top >= metricsTop && bottom < 28 - metricsTop + 1);
    }

    void follows_bound_action() {
        QAction action;
        int runs = 0;
        connect(&action, &QAction::triggered, this, [&] { ++runs; });
        button_->SetAction(&action);
        QTest::mouseClick(button_, Qt::LeftButton, {}, Inside());
        QCOMPARE(runs, 1);
        action.setEnabled(false);
        QVERIFY(!button_->isEnabled());
        QTest::mouseClick(button_, Qt::LeftButton, {}, Inside());
        QCOMPARE(runs, 1);
        action.setEnabled(true);
        QVERIFY(button_->isEnabled());
    }
};

QTEST_MAIN(ButtonExTest)
#include "ButtonExTest.moc"
