#pragma once

#include <vector>

// Rows First to First + Count - 1.
struct TRowRun {
    int First = 0;
    int Count = 0;
    bool operator==(const TRowRun&) const = default;
};

// The runs of ascending rows.
std::vector<TRowRun> RunsOf(const std::vector<int>& rows);
