#include "ui/ViewHighlight.h"

#include "core/IntList.h"
#include "ui/MainView.h"

#include <algorithm>

std::vector<TRowRun> HighlightRuns(const IMainView& view) {
    const int selected = view.SelectedCount();
    if (selected == 0)
        return {};
    if (selected == view.RowCount())
        return {{0, selected}};
    return RunsOf(view.SelectedRows());
}

void ShowHighlight(IMainView& view, const std::vector<TRowRun>& runs) {
    const int rows = view.RowCount();
    if (runs.size() == 1 && runs[0].First == 0 && runs[0].Count == rows) {
        view.SelectAll();
        return;
    }
    TIntList selected;
    for (const TRowRun& run : runs)
        for (int row = run.First; row < std::min(run.First + run.Count, rows); ++row)
            selected.Add(row);
    view.SelectOnly(selected);
}
