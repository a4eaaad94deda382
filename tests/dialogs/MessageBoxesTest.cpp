#include "dialogs/MessageBoxes.h"
#include "dialogs/PopupBelow.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QAbstractButton>
#include <QMenu>
#include <QMessageBox>

namespace {
TModalScript::TStep Press(QMessageBox::StandardButton button) {
    return [button](QDialog& dialog) { dynamic_cast<QMessageBox&>(dialog).button(button)->click(); };
}
} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT

    TMessageBoxes boxes_;

private slots:
    void box_shows_caption_text_icon_and_buttons() {
        TModalScript script{[](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            QCOMPARE(box.windowTitle(), QString::fromUtf8("Ошибка"));
            QCOMPARE(box.text(), QString("first\n\nErrorID: d007"));
            QCOMPARE(box.icon(), QMessageBox::Critical);
            QCOMPARE(box.standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            box.button(QMessageBox::Ok)->click();
        }};
        QCOMPARE(
            boxes_.Show(nullptr, "first\r\n\r\nErrorID: d007", "Ошибка", TMsgIcon::Error, TMsgButtons::Ok),
            TMsgResult::Ok);
        QVERIFY(script.Done());
    }

    void answers_follow_the_button_pressed() {
        TModalScript script{Press(QMessageBox::No), Press(QMessageBox::Yes), Press(QMessageBox::Cancel),
                            [](QDialog& dialog) { dialog.close(); }};
        QCOMPARE(boxes_.Show(nullptr, "Sure?", "T", TMsgIcon::Question, TMsgButtons::YesNo), TMsgResult::No);
        QCOMPARE(boxes_.Show(nullptr, "Sure?", "T", TMsgIcon::Question, TMsgButtons::YesNo), TMsgResult::Yes);
        QCOMPARE(boxes_.Show(nullptr, "Go?", "T", TMsgIcon::Warning, TMsgButtons::OkCancel),
                 TMsgResult::Cancel);
        QCOMPARE(boxes_.Show(nullptr, "Go?", "T", TMsgIcon::Information, TMsgButtons::OkCancel),
                 TMsgResult::Cancel);
    }

    void box_is_owned_by_the_given_window() {
        QWidget owner;
        TModalScript script{[&owner](QDialog& dialog) {
            QCOMPARE(dialog.parentWidget(), &owner);
            dialog.close();
        }};
        boxes_.Show(&owner, "x", "T", TMsgIcon::Information, TMsgButtons::Ok);
        QVERIFY(script.Done());
    }

    void popup_opens_at_bottom_left_of_control() {
        QWidget window;
        window.resize(300, 200);
        auto* button = new QWidget(&window);
        button->setGeometry(40, 30, 100, 28);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenu menu;
        menu.addAction("All Entries...");
        PopupBelow(menu, *button);
        QVERIFY(menu.isVisible());
        QCOMPARE(menu.pos(), button->mapToGlobal(QPoint(0, 28)));
        menu.close();
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
