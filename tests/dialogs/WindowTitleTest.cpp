#include "dialogs/MessageBoxes.h"
#include "dialogs/WordCountDialog.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QMessageBox>

namespace {

// The least a title bar needs besides its text: one button.
constexpr int CloseButton = 40;

int TitleTextWidth(const QString& title) {
    return QFontMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont)).horizontalAdvance(title);
}

} // namespace

class WindowTitleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseProgramLook(); }

    // The same dialog is run under titles long and short: each time its title fits, and its controls keep
    // their order, their spacing and their places inside the window.
    void dialogsShowTheirWholeTitle() {
        TfrmWordCount dialog;
        const QString titles[] = {"Delete entries with more than 'N' words", "Word Count",
                                  "Delete entries with exactly 'N' words and a good deal more besides"};
        const int okToCancel =
            dialog.findChild<QWidget*>("ButtonEx2")->x() - dialog.findChild<QWidget*>("ButtonEx1")->x();
        for (const QString& title : titles) {
            QSize size;
            bool inside = true;
            TModalScript script{[&](QDialog& shown) {
                size = shown.size();
                for (QWidget* child : shown.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    inside = inside && shown.rect().contains(child->geometry());
                shown.reject();
            }};
            dialog.Execute(title.toStdString());
            QVERIFY(script.Done());
            QVERIFY2(size.width() >= TitleTextWidth(title) + CloseButton, qPrintable(title));
            QVERIFY2(inside, qPrintable(title));
            QCOMPARE(size.height(), 138);
            QCOMPARE(dialog.findChild<QWidget*>("ButtonEx2")->x() -
                         dialog.findChild<QWidget*>("ButtonEx1")->x(),
                     okToCancel);
        }
    }

    void messageBoxesShowTheirWholeTitle() {
        TMessageBoxes boxes;
        for (const char* caption :
             {ApplicationTitle, "Pellox Termwright: a caption longer than any text of its box"}) {
            int width = 0;
            TModalScript script{[&](QDialog& box) {
                width = box.width();
                box.reject();
            }};
            boxes.Show(nullptr, "Done", caption, TMsgIcon::Information, TMsgButtons::Ok);
            QVERIFY(script.Done());
            QVERIFY2(width >= TitleTextWidth(caption) + CloseButton, caption);
        }
    }
};

QTEST_MAIN(WindowTitleTest)
#include "WindowTitleTest.moc"
