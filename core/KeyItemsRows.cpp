#include "core/KeyItems.h"

#include "core/Exceptions.h"
#include "core/PackedEntries.h"

namespace {

// The number of rows of ascending runs that neither overlap nor reach limit; raises otherwise.
std::size_t RowsIn(const std::vector<TRowRun>& rows, std::size_t limit) {
    std::size_t count = 0;
    std::size_t end = 0;
    for (const TRowRun& run : rows) {
        const auto first = static_cast<std::size_t>(run.First);
        if (run.First < 0 || run.Count < 0 || first < end ||
            first + static_cast<std::size_t>(run.Count) > limit)
            RaiseListIndexError(run.First);
        end = first + static_cast<std::size_t>(run.Count);
        count += static_cast<std::size_t>(run.Count);
    }
    return count;
}

} // namespace

void TKeyItems::CopyRows(const std::vector<TRowRun>& rows, TKeyItems& into) const {
    std::size_t bytes = 0;
    const std::size_t count = RowsIn(rows, items_.size());
    for (const TRowRun& run : rows)
        for (int row = run.First; row < run.First + run.Count; ++row)
            bytes += items_[static_cast<std::size_t>(row)].size_;
    const TFillAhead filling = into.ReserveToFill(count, bytes);
    for (const TRowRun& run : rows)
        for (int row = run.First; row < run.First + run.Count; ++row)
            into.AddKeyword(items_[static_cast<std::size_t>(row)].Text());
}

void TKeyItems::TakeRows(const std::vector<TRowRun>& rows, TPackedEntries& into) {
    const std::size_t count = RowsIn(rows, items_.size());
    Highlighted.Clear();
    Highlighted.SetCapacity(static_cast<int>(count));
    for (const TRowRun& run : rows)
        for (int row = run.First; row < run.First + run.Count; ++row)
            Highlighted.Add(row);
    MoveHighlightedTo(into);
}

template <class TTake>
void TKeyItems::PutRowsFrom(const std::vector<TRowRun>& rows, std::size_t count, TTextArena& arena,
                            TTake take) {
    const std::size_t total = items_.size() + count;
    if (total > static_cast<std::size_t>(INT32_MAX))
        throw EListError("Too many keywords in one list");
    if (RowsIn(rows, total) != count)
        throw EListError("The rows to put back do not match their entries");
    TKeyItemStore merged;
    merged.reserve(total);
    arena_.Adopt(arena);
    std::size_t kept = 0;
    std::size_t put = 0;
    for (const TRowRun& run : rows) {
        while (merged.size() < static_cast<std::size_t>(run.First))
            merged.push_back(std::move(items_[kept++]));
        for (int k = 0; k < run.Count; ++k)
            merged.push_back(take(put++));
    }
    while (kept < items_.size())
        merged.push_back(std::move(items_[kept++]));
    items_.swap(merged);
}

void TKeyItems::PutRows(const std::vector<TRowRun>& rows, TKeyItems& from) {
    PutRowsFrom(rows, from.items_.size(), from.arena_,
                [&from](std::size_t k) { return std::move(from.items_[k]); });
    from.items_.clear();
}

void TKeyItems::PutRows(const std::vector<TRowRun>& rows, TPackedEntries& from) {
    PutRowsFrom(rows, from.Count(), from.arena_, [&from](std::size_t k) { return from.Entry(k); });
    from.Clear();
}

void TKeyItems::Permute(const TLargeVector<std::int32_t>& from, bool inverse) {
    if (from.size() != items_.size())
        throw EListError("The order to restore does not match the entries");
    TLargeVector<std::int32_t> to;
    if (inverse) {
        to.resize(from.size());
        for (std::size_t k = 0; k < from.size(); ++k)
            to[static_cast<std::size_t>(from[k])] = static_cast<std::int32_t>(k);
    }
    const TLargeVector<std::int32_t>& source = inverse ? to : from;
    TKeyItemStore moved;
    moved.reserve(items_.size());
    for (const std::int32_t row : source)
        moved.push_back(std::move(items_[static_cast<std::size_t>(row)]));
    items_.swap(moved);
}
