#pragma once

#include "core/RowRuns.h"

#include <vector>

class IMainView;

// The view's highlighted rows as ascending runs; all of a long list, the common case, is one run read
// without walking the rows.
std::vector<TRowRun> HighlightRuns(const IMainView& view);
// Highlights exactly the rows of the runs that the view holds.
void ShowHighlight(IMainView& view, const std::vector<TRowRun>& runs);
