#include "ui/ProgressDialog.h"
#include "core/KeyItems.h"
#include "ui/ListFilter.h"
#include "ui/ODListView.h"

#include <QPushButton>
#include <QtTest>

#include <chrono>
#include <thread>

// While a long command lets the window handle its events, nothing reads the list it is changing: the list
// view paints no rows and the live filter's search waits; both go on once the command has ended.
class ProgressDialogTest : public QObject {
    Q_OBJECT

private slots:
    void nothingReadsTheListWhileTheCommandPumps() {
        TKeyItems list;
        for (int i = 0; i < 5000; ++i)
            list.AddKeyword("red shoes " + std::to_string(i));
        QWidget window;
        window.resize(400, 300);
        auto* view = new TODListView(&window);
        view->resize(400, 300);
        int fetched = 0;
        view->OnData = [&](int row, TODRow& data) {
            ++fetched;
            data.SubItem = QString::fromUtf8(list.GetKeyItem(row).Text());
        };
        view->SetRowCount(list.Count());
        int listReads = 0;
        TListFilter filter(*view, [&]() -> const TKeyItems* {
            ++listReads;
            return &list;
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TProgressDialog progress(window, *view);

        const auto start = std::chrono::steady_clock::now();
        fetched = 0;
        bool shown = false;
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(800)) {
            // The user types into the filter and the view wants painting while the command runs.
            if (!shown && progress.Visible()) {
                shown = true;
                filter.SetText("shoes 4");
                view->viewport()->update();
            }
            QVERIFY(!progress.Show("Sort", 0.5, true));
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        QVERIFY(progress.Visible());
        QVERIFY(!ProgressPumping());
        QCOMPARE(fetched, 0);
        QCOMPARE(listReads, 0);

        progress.End();
        QVERIFY(!progress.Visible());
        QTRY_VERIFY(!filter.Searching());
        QVERIFY(listReads > 0);
        QTRY_VERIFY(fetched > 0);
        // 4, 40 to 49, 400 to 499 and 4000 to 4999.
        QCOMPARE(view->ShownCount(), 1111);
    }

    // A command about to end shows nothing, however long it has run; one far from its end shows.
    void onlyCommandsFarFromTheirEndShow() {
        QWidget window;
        auto* view = new TODListView(&window);
        window.show();
        TProgressDialog progress(window, *view);
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(700)) {
            progress.Show("Sort", 0.9, true);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        QVERIFY(!progress.Visible());
        progress.Show("Sort", 0.1, true);
        QVERIFY(progress.Visible());
        progress.End();
    }

    // Cancel counts only while the command can be cancelled; a new command starts uncancelled.
    void cancelIsOfferedOnlyWhenItCanBeHonoured() {
        QWidget window;
        auto* view = new TODListView(&window);
        window.show();
        TProgressDialog progress(window, *view);
        const auto showFor = [&](bool cancellable, auto until) {
            const auto start = std::chrono::steady_clock::now();
            bool cancelled = false;
            while (!until() && std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
                cancelled = progress.Show("Import", 0.25, cancellable);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            return cancelled;
        };
        showFor(false, [&] { return progress.Visible(); });
        auto* cancel = QApplication::activeModalWidget()->findChild<QPushButton*>("btnCancel");
        QVERIFY(cancel);
        QVERIFY(!cancel->isEnabled());
        showFor(true, [&] { return cancel->isEnabled(); });
        cancel->click();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        QVERIFY(progress.Show("Import", 0.5, true));
        progress.End();
        QVERIFY(!progress.Visible());
        QVERIFY(!showFor(true, [&] { return progress.Visible(); }));
        progress.End();
    }
};

QTEST_MAIN(ProgressDialogTest)
#include "ProgressDialogTest.moc"
