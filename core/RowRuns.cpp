#include "core/RowRuns.h"

std::vector<TRowRun> RunsOf(const std::vector<int>& rows) {
    std::vector<TRowRun> runs;
    for (int row : rows)
        if (!runs.empty() && runs.back().First + runs.back().Count == row)
            ++runs.back().Count;
        else
            runs.push_back({row, 1});
    return runs;
}
