// The list view against a row source that makes its rows up on the fly, up to two billion rows: what is
// painted where, what a point hits, and how mouse, keys and the scroll bar move and select there.
#include "ui/ODListView.h"
#include "ui/Application.h"
#include "ui/RowSelection.h"

#include <QHeaderView>
#include <QProcess>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QtTest>

#include <climits>

namespace {

constexpr int TwoBillion = 2'000'000'000;
constexpr int FarRow = 1'500'000'000;

// Every row paints its own background colour, so a pixel of the painted view tells which row is there.
QColor RowColour(int row) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | (static_cast<unsigned>(row) * 2654435761u >> 8)));
}

// A row source that holds nothing: each row's text and colour follow from its number.
void AttachGeneratedRows(TODListView& view) {
    view.OnData = [](int row, TODRow& data) {
        data.Caption = QString::number(row + 1);
        data.SubItem = QString("generated row %1").arg(row);
    };
    view.OnCustomDrawItem = [](int row, TODRowColors& colors) {
        colors.Background = RowColour(row);
        colors.Text = Qt::black;
    };
}

} // namespace

class ODListViewTest : public QObject {
    Q_OBJECT

    TODListView* view = nullptr;

    int Page() const { return view->viewport()->height() / view->RowHeight(); }
    QPoint PointOf(int row) const { return {view->viewport()->width() / 2, view->RowRect(row).center().y()}; }
    void Click(int row, Qt::KeyboardModifiers modifiers = {}) {
        QVERIFY(!view->RowRect(row).isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, PointOf(row));
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(view, key, modifiers); }
    std::vector<int> SelectedFrom(int base) const {
        std::vector<int> rows = view->Selection().SelectedRows();
        for (int& row : rows)
            row -= base;
        return rows;
    }
    // Every row band of the painted viewport carries the colour of the row a hit test finds there.
    void CheckPaintMatchesHits() {
        const QImage image = view->viewport()->grab().toImage();
        const int x = view->viewport()->width() - 3;
        int rowsSeen = 0;
        for (int y = 0; y < image.height(); ++y) {
            const int row = view->RowAt(y);
            if (row < 0) {
                QCOMPARE(image.pixelColor(x, y), view->palette().color(QPalette::Base));
                continue;
            }
            if (y == view->RowRect(row).top())
                ++rowsSeen;
            QCOMPARE(image.pixelColor(x, y),
                     view->Selection().RowSelected(row)
                         ? view->palette().color(QPalette::Active, QPalette::Highlight)
                         : RowColour(row));
        }
        QVERIFY(rowsSeen >= std::min(Page(), view->RowCount()));
    }

private slots:
    void init() {
        view = new TODListView();
        view->SetColumnCaptions("#", "Keywords");
        view->SetColumnWidth(0, 100);
        view->SetColumnWidth(1, 273);
        AttachGeneratedRows(*view);
        view->resize(619, 268);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        view->setFocus();
    }

    void cleanup() {
        delete view;
        view = nullptr;
    }

    void paintAndHitTestAgreeAnywhere_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("top");
        for (int count : {7, 1000, 158'917'470, TwoBillion, INT_MAX})
            for (long long top : {0LL, count / 2LL, count - 1LL})
                QTest::addRow("%d rows from %lld", count, top) << count << static_cast<int>(top);
    }

    void paintAndHitTestAgreeAnywhere() {
        QFETCH(int, count);
        QFETCH(int, top);
        view->SetRowCount(count);
        view->ScrollToRow(top, true);
        // The scroll bar counts rows: its end shows the last row whole at the bottom.
        QCOMPARE(view->verticalScrollBar()->maximum(), std::max(0, count - Page()));
        QCOMPARE(view->TopRow(), std::min(top, view->verticalScrollBar()->maximum()));
        CheckPaintMatchesHits();
        if (top == count - 1) {
            const QRect last = view->RowRect(count - 1);
            QVERIFY(view->viewport()->rect().contains(last));
            QCOMPARE(view->RowAt(last.bottom() + 1), -1);
        }
    }

    void theScrollBarDragsToAnyRow() {
        view->SetRowCount(TwoBillion);
        // The scroll bar takes its place once the event loop runs.
        QCoreApplication::processEvents();
        QScrollBar* bar = view->verticalScrollBar();
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.orientation = Qt::Vertical;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = option.sliderValue = bar->value();
        option.pageStep = bar->pageStep();
        option.singleStep = bar->singleStep();
        const QRect handle =
            bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
        QTest::mousePress(bar, Qt::LeftButton, {}, handle.center());
        QTest::mouseMove(bar, handle.center() + QPoint(0, bar->height() / 2 - handle.top()));
        const int middle = view->TopRow();
        QVERIFY(middle > TwoBillion / 4 && middle < TwoBillion / 4 * 3);
        CheckPaintMatchesHits();
        QTest::mouseMove(bar, QPoint(handle.center().x(), bar->height() + 50));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(handle.center().x(), bar->height() + 50));
        QCOMPARE(view->TopRow(), bar->maximum());
        QCOMPARE(view->RowAt(view->RowRect(TwoBillion - 1).center().y()), TwoBillion - 1);
        CheckPaintMatchesHits();
        for (int value : {0, 1, 999'999'999, bar->maximum() - 1, bar->maximum()}) {
            bar->setSliderPosition(value);
            QCOMPARE(view->RowAt(0), value);
        }
    }

    // One script of clicks and keys, played at the top of a small list and at row 1,500,000,000 of two
    // billion rows, selects the same rows relative to where it started.
    void mouseAndKeysSelectAlikeAtFarRows_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("base");
        QTest::addRow("30 rows") << 30 << 0;
        QTest::addRow("two billion rows") << TwoBillion << FarRow;
        QTest::addRow("the last rows of two billion") << TwoBillion << TwoBillion - 30;
    }

    void mouseAndKeysSelectAlikeAtFarRows() {
        QFETCH(int, count);
        QFETCH(int, base);
        view->SetRowCount(count);
        view->ScrollToRow(base, true);
        using Rows = std::vector<int>;
        Click(base + 1);
        QCOMPARE(SelectedFrom(base), Rows{1});
        Click(base + 4, Qt::ShiftModifier);
        QCOMPARE(SelectedFrom(base), (Rows{1, 2, 3, 4}));
        // A second Shift-click replaces the range of the first.
        Click(base + 2, Qt::ShiftModifier);
        QCOMPARE(SelectedFrom(base), (Rows{1, 2}));
        Click(base + 6, Qt::ControlModifier);
        Click(base + 1, Qt::ControlModifier);
        QCOMPARE(SelectedFrom(base), (Rows{2, 6}));
        Click(base + 8, Qt::ShiftModifier);
        QCOMPARE(SelectedFrom(base), (Rows{1, 2, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(view->CurrentRow(), base + 8);
        Key(Qt::Key_Up);
        QCOMPARE(SelectedFrom(base), Rows{7});
        Key(Qt::Key_Down, Qt::ShiftModifier);
        Key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(SelectedFrom(base), (Rows{7, 8, 9}));
        Key(Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(SelectedFrom(base), (Rows{7, 8, 9}));
        QCOMPARE(view->CurrentRow(), base + 8);
        Key(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(SelectedFrom(base), (Rows{7, 9}));
        Key(Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(SelectedFrom(base), (Rows{7, 8, 9}));
        // A press on a selected row keeps the selection until the release.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, PointOf(base + 9));
        QCOMPARE(SelectedFrom(base), (Rows{7, 8, 9}));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, PointOf(base + 9));
        QCOMPARE(SelectedFrom(base), Rows{9});
        // Dragging selects the rows between the press and the pointer, Ctrl-dragging adds them.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, PointOf(base + 3));
        QTest::mouseMove(view->viewport(), PointOf(base + 6));
        QTest::mouseMove(view->viewport(), PointOf(base + 5));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, PointOf(base + 5));
        QCOMPARE(SelectedFrom(base), (Rows{3, 4, 5}));
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::ControlModifier, PointOf(base + 8));
        QTest::mouseEvent(QTest::MouseMove, view->viewport(), Qt::NoButton, Qt::ControlModifier,
                          PointOf(base + 10));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::ControlModifier, PointOf(base + 10));
        QCOMPARE(SelectedFrom(base), (Rows{3, 4, 5, 8, 9, 10}));
        QCOMPARE(view->Selection().SelectedCount(), 6);
    }

    void aClickedRowCutByTheBottomEdgeScrollsIntoView() {
        view->SetRowCount(TwoBillion);
        view->ScrollToRow(FarRow, true);
        const int cut = FarRow + Page();
        QVERIFY(!view->viewport()->rect().contains(view->RowRect(cut)));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(200, view->viewport()->height() - 1));
        QCOMPARE(view->Selection().SelectedRows(), std::vector<int>{cut});
        QTRY_VERIFY(view->viewport()->rect().contains(view->RowRect(cut)));
        QCOMPARE(view->TopRow(), FarRow + 1);
    }

    void keysMoveByRowsPagesAndEnds_data() {
        QTest::addColumn<int>("count");
        QTest::addRow("50 rows") << 50;
        QTest::addRow("158,917,470 rows") << 158'917'470;
        QTest::addRow("two billion rows") << TwoBillion;
        QTest::addRow("the largest count") << INT_MAX;
    }

    void keysMoveByRowsPagesAndEnds() {
        QFETCH(int, count);
        view->SetRowCount(count);
        const int last = count - 1;
        const auto at = [&](int row) {
            QCOMPARE(view->CurrentRow(), row);
            QVERIFY(view->viewport()->rect().contains(view->RowRect(row)));
        };
        Key(Qt::Key_End);
        at(last);
        QCOMPARE(view->TopRow(), view->verticalScrollBar()->maximum());
        Key(Qt::Key_Down);
        at(last);
        Key(Qt::Key_PageUp);
        at(last - Page());
        Key(Qt::Key_PageDown);
        at(last);
        Key(Qt::Key_PageUp, Qt::ShiftModifier);
        QCOMPARE(view->Selection().SelectedCount(), Page() + 1);
        QVERIFY(view->Selection().RowSelected(last) && view->Selection().RowSelected(last - Page()));
        Key(Qt::Key_Home);
        at(0);
        QCOMPARE(view->TopRow(), 0);
        QCOMPARE(view->Selection().SelectedRows(), std::vector<int>{0});
        Key(Qt::Key_PageDown);
        at(Page());
        Key(Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(view->Selection().SelectedCount(), count - Page());
        CheckPaintMatchesHits();
    }

    void selectAllAndInvertAtTwoBillionRows() {
        view->SetRowCount(TwoBillion);
        Key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(view->Selection().SelectedCount(), TwoBillion);
        QVERIFY(view->Selection().RowSelected(TwoBillion - 1));
        view->Selection().SetRowSelected(FarRow, false);
        // Handed out and taken back as runs, never as a list of the rows.
        const std::vector<TRowRun> allButOne{{0, FarRow}, {FarRow + 1, TwoBillion - FarRow - 1}};
        QCOMPARE(view->Selection().SelectedRuns(), allButOne);
        view->Selection().ClearRows();
        view->Selection().SelectRuns(allButOne);
        QCOMPARE(view->Selection().SelectedCount(), TwoBillion - 1);
        view->Selection().InvertRows();
        QCOMPARE(view->Selection().SelectedRows(), std::vector<int>{FarRow});
        view->Selection().InvertRows();
        QCOMPARE(view->Selection().SelectedCount(), TwoBillion - 1);
        // A click makes the selection one row again, whatever was selected before.
        view->ScrollToRow(FarRow, true);
        Click(FarRow + 2);
        QCOMPARE(view->Selection().SelectedRows(), std::vector<int>{FarRow + 2});
        view->SetRowCount(0);
        QCOMPARE(view->Selection().SelectedCount(), 0);
    }

    void aChangeOfCountKeepsWhatRemains() {
        view->SetRowCount(TwoBillion);
        view->ScrollToRow(FarRow, true);
        Click(FarRow + 1);
        view->SetRowCount(TwoBillion - 5);
        QCOMPARE(view->TopRow(), FarRow);
        QCOMPARE(view->CurrentRow(), FarRow + 1);
        QCOMPARE(view->Selection().SelectedRows(), std::vector<int>{FarRow + 1});
        // Shrinking below the view's rows brings the end into view.
        view->SetRowCount(FarRow - 100);
        QCOMPARE(view->TopRow(), view->verticalScrollBar()->maximum());
        QCOMPARE(view->CurrentRow(), -1);
        QCOMPARE(view->Selection().SelectedCount(), 0);
        CheckPaintMatchesHits();
    }

    // The view's far rows show their text, not a blank area.
    void farRowsShowText_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("top");
        QTest::addRow("the end of 158,917,470") << 158'917'470 << 158'917'470;
        QTest::addRow("the middle of two billion") << TwoBillion << 1'000'000'000;
    }

    void farRowsShowText() {
        QFETCH(int, count);
        QFETCH(int, top);
        view->OnCustomDrawItem = nullptr;
        view->SetRowCount(count);
        view->ScrollToRow(top, true);
        const QImage image = view->viewport()->grab().toImage();
        for (int row = view->TopRow(); row <= std::min(count - 1, view->TopRow() + Page() - 1); ++row) {
            const QRect band = view->RowRect(row);
            const QHeaderView& header = view->Header();
            for (int column = 0; column < 2; ++column) {
                int ink = 0;
                for (int x = header.sectionViewportPosition(column);
                     x < header.sectionViewportPosition(column) + header.sectionSize(column); ++x)
                    for (int y = band.top(); y <= band.bottom(); ++y)
                        ink += qGray(image.pixel(x, y)) < 128;
                QVERIFY2(ink > 20, qPrintable(QString("row %1 column %2").arg(row).arg(column)));
            }
        }
        const QString folder = qEnvironmentVariable("PT_SCREENSHOT_DIR");
        if (!folder.isEmpty() && count == TwoBillion) {
            view->OnCustomDrawItem = [](int row, TODRowColors& colors) {
                if (row % 2 == 0)
                    colors.Background = QColor(241, 241, 241);
            };
            view->Selection().Mark(top + 3, top + 5, TRowMark::Select, false);
            view->resize(900, 500);
            view->move(0, 0);
            QTest::qWait(300);
            QCOMPARE(QProcess::execute("import", {"-window", "root", QDir(folder).filePath("view-2e9.png")}),
                     0);
        }
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    ODListViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ODListViewTest.moc"
