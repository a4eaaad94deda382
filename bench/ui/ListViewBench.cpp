// The list view alone at 10,000,000 and 150,000,000 rows made up on the fly: refreshing it after a command
// and scrolling one page, each with the synchronous repaint the user waits for. The real list's cost of
// giving a row's text is timed by window_bench.
#include "ui/ODListView.h"
#include "ui/RowSelection.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollBar>

namespace {

TODListView& View(int rows) {
    static TODListView* view = [] {
        auto* made = new TODListView();
        made->SetColumnCaptions("#", "Keywords");
        made->SetColumnWidth(0, 100);
        made->SetColumnWidth(1, 273);
        made->OnData = [](int row, TODRow& data) {
            data.Caption = QString::number(row + 1);
            data.SubItem = QString("generated keyword phrase %1").arg(row);
        };
        made->OnCustomDrawItem = [](int row, TODRowColors& colors) {
            colors.Background = row % 2 ? Qt::white : QColor(241, 241, 241);
        };
        made->resize(619, 268);
        made->show();
        QCoreApplication::processEvents();
        return made;
    }();
    view->SetRowCount(0);
    view->SetRowCount(rows);
    QCoreApplication::processEvents();
    return *view;
}

void PressKey(TODListView& view, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
}

// What the controller does after a command that removed or added an entry and dropped the highlight.
void BM_RefreshAfterCommand(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TODListView& view = View(rows);
    view.ScrollToRow(rows / 2, true);
    int count = rows;
    for (auto _ : state) {
        count = count == rows ? rows - 1 : rows;
        view.Selection().ClearRows();
        view.SetRowCount(count);
        view.viewport()->update();
        view.viewport()->repaint();
    }
}

void BM_ScrollOnePage(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TODListView& view = View(rows);
    view.setFocus();
    view.ScrollToRow(rows / 2, true);
    for (auto _ : state) {
        view.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        view.viewport()->repaint();
    }
}

void BM_PageDownKey(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    TODListView& view = View(rows);
    view.setFocus();
    PressKey(view, Qt::Key_Home);
    for (auto _ : state) {
        PressKey(view, Qt::Key_PageDown);
        view.viewport()->repaint();
    }
}

} // namespace

BENCHMARK(BM_RefreshAfterCommand)->Arg(10'000'000)->Arg(150'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollOnePage)->Arg(10'000'000)->Arg(150'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageDownKey)->Arg(10'000'000)->Arg(150'000'000)->Unit(benchmark::kMillisecond);
