#include "dialogs/LinkLabel.h"

#include <QEnterEvent>
#include <QtTest>

class LinkLabelTest : public QObject {
    Q_OBJECT

    static void Enter(QWidget& widget) {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(&widget, &event);
    }
    static void Leave(QWidget& widget) {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&widget, &event);
    }

private slots:
    void starts_with_blue_underlined_hover_font_and_hand_cursor() {
        TLinkLabel label;
        QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(label.HoverFont().Font.underline());
        QCOMPARE(label.HoverFont().Color, QColor(0, 0, 255));
        QCOMPARE(label.ShownFont(), label.SimpleFont());
    }

    void swaps_fonts_on_enter_and_leave() {
        TLinkLabel label;
        const TLabelFont simple{QFont("Arial", 8), QColor(0, 0, 255)};
        TLabelFont hover = simple;
        hover.Color = QColor(255, 0, 0);
        hover.Font.setUnderline(true);
        label.SetSimpleFont(simple);
        label.SetHoverFont(hover);
        QCOMPARE(label.ShownFont(), simple);
        Enter(label);
        QVERIFY(label.Hovering());
        QCOMPARE(label.ShownFont(), hover);
        Leave(label);
        QCOMPARE(label.ShownFont(), simple);
    }

    void font_changes_apply_only_to_the_shown_state() {
        TLinkLabel label;
        Enter(label);
        TLabelFont other{QFont("Arial", 12), QColor(0, 128, 0)};
        label.SetSimpleFont(other);
        QVERIFY(!(label.ShownFont() == other));
        label.SetHoverFont(other);
        QCOMPARE(label.ShownFont(), other);
    }

    void click_inside_reports() {
        TLinkLabel label;
        label.resize(100, 20);
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        int clicks = 0;
        connect(&label, &TLinkLabel::clicked, this, [&] { ++clicks; });
        QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(clicks, 1);
    }
};

QTEST_MAIN(LinkLabelTest)
#include "LinkLabelTest.moc"
