// Text of every script reaches the desktop's clipboard as it is, through the export commands' own road.
#include "core/Clipboard.h"
#include "core/KeyItems.h"
#include "ui/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

class UnicodeClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void everyScriptGoesOnTheClipboardUnchanged() {
        TSystemClipboard clipboard;
        TKeyItems list;
        const char* const texts[] = {"Grüße", "купить обувь", "σοφία", "ürün", "שלום", "😀"};
        QString lines;
        for (const char* text : texts) {
            list.AddKeyword(text);
            lines += QString::fromUtf8(text) + "\r\n";
        }
        QVERIFY(list.AllToLines(clipboard));
        QCOMPARE(QGuiApplication::clipboard()->text(), lines);
        QVERIFY(list.AllToCommaText(clipboard));
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromUtf8("Grüße, купить обувь, σοφία, ürün, שלום, 😀"));
    }
};

QTEST_MAIN(UnicodeClipboardTest)
#include "UnicodeClipboardTest.moc"
