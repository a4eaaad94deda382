#include "ui/RowSelection.h"

#include "core/IntList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::uint8_t Shown = 1;

std::size_t Bytes(int count) {
    return static_cast<std::size_t>(std::max(count, 0));
}

// Sums run over blocks of 255 rows in byte-wide counters, which the compiler keeps in vector lanes.
constexpr int Block = 255;

// Clearing marks over this many rows takes fresh zeroed storage instead of writing them.
constexpr std::size_t RenewFrom = std::size_t{1} << 24;

long long CountShown(const std::uint8_t* data, int first, int last) {
    long long shown = 0;
    for (long long start = first; start <= last; start += Block) {
        const int end = static_cast<int>(std::min<long long>(last, start + Block - 1));
        std::uint8_t block = 0;
        for (int row = static_cast<int>(start); row <= end; ++row)
            block += data[row] & Shown;
        shown += block;
    }
    return shown;
}

} // namespace

void TRowSelection::TFree::operator()(std::uint8_t* data) const {
    std::free(data);
}

void TRowSelection::SetRowCount(int count) {
    count = std::max(count, 0);
    if (count == count_)
        return;
    EndGesture();
    if (count < count_) {
        const long long marked =
            highest_ >= count ? CountShown(rows_.get(), std::max(lowest_, count), highest_) : 0;
        selectedCount_ -= static_cast<int>(every_ ? count_ - count - marked : marked);
        highest_ = std::min(highest_, count - 1);
    }
    const int before = count_;
    Resize(count);
    // New rows are not selected, which rows differing from selected ones are.
    if (every_ && count > before) {
        std::memset(rows_.get() + before, Shown, Bytes(count - before));
        lowest_ = highest_ < lowest_ ? before : lowest_;
        highest_ = count - 1;
    }
    if (highest_ < lowest_) {
        lowest_ = 0;
        highest_ = -1;
    }
}

void TRowSelection::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= count_)
        return;
    EndGesture();
    Set(row, selected ? Shown : 0);
    emit RowsChanged();
}

std::vector<int> TRowSelection::SelectedRows() const {
    std::vector<int> selected;
    selected.reserve(static_cast<std::size_t>(selectedCount_));
    for (const TRowRun& run : SelectedRuns())
        for (int row = run.First; row < run.First + run.Count; ++row)
            selected.push_back(row);
    return selected;
}

std::vector<TRowRun> TRowSelection::SelectedRuns() const {
    std::vector<TRowRun> runs;
    const auto add = [&runs](int first, int count) {
        if (count <= 0)
            return;
        if (!runs.empty() && runs.back().First + runs.back().Count == first)
            runs.back().Count += count;
        else
            runs.push_back({first, count});
    };
    const bool marks = lowest_ <= highest_;
    const int low = marks ? lowest_ : count_;
    if (every_)
        add(0, low);
    const std::uint8_t* data = rows_.get();
    for (int row = low; marks && row <= highest_;) {
        // Unmarked stretches are taken eight rows at a time.
        std::uint64_t word = 0;
        if (highest_ - row >= 8 && (std::memcpy(&word, data + row, 8), word == 0)) {
            if (every_)
                add(row, 8);
            row += 8;
            continue;
        }
        if (((data[row] ^ every_) & Shown) != 0)
            add(row, 1);
        ++row;
    }
    if (every_ && marks)
        add(highest_ + 1, count_ - 1 - highest_);
    return runs;
}

void TRowSelection::ClearRows() {
    EndGesture();
    ClearMarked();
    emit RowsChanged();
}

void TRowSelection::SelectAllRows() {
    EndGesture();
    Renew(Shown);
    selectedCount_ = count_;
    emit RowsChanged();
}

void TRowSelection::InvertRows() {
    EndGesture();
    every_ ^= Shown;
    selectedCount_ = count_ - selectedCount_;
    emit RowsChanged();
}

void TRowSelection::SelectOnly(const TIntList& rows) {
    EndGesture();
    ClearMarked();
    for (int row : rows)
        if (row >= 0 && row < count_)
            Set(row, Shown);
    emit RowsChanged();
}

void TRowSelection::SelectRuns(const std::vector<TRowRun>& runs) {
    EndGesture();
    long long rows = 0;
    for (const TRowRun& run : runs)
        rows += run.Count;
    // Most rows selected: all of them, then the gaps between the runs taken out.
    const bool most = rows > count_ / 2;
    if (most) {
        Renew(Shown);
        selectedCount_ = count_;
    } else {
        ClearMarked();
    }
    const auto mark = [this, most](int first, int last) {
        first = std::max(first, 0);
        last = std::min(last, count_ - 1);
        if (first <= last)
            Rewrite(first, last, [most](std::uint8_t) { return most ? std::uint8_t{0} : Shown; });
    };
    int next = 0;
    for (const TRowRun& run : runs) {
        if (most)
            mark(next, run.First - 1);
        else
            mark(run.First, run.First + run.Count - 1);
        next = std::max(next, run.First + run.Count);
    }
    if (most)
        mark(next, count_ - 1);
    emit RowsChanged();
}

void TRowSelection::GatherFrom(const TRowSelection& list, std::span<const std::int32_t> rows) {
    EndGesture();
    ClearMarked();
    Resize(static_cast<int>(rows.size()));
    if (list.every_) {
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (list.RowSelected(rows[row]))
                Set(static_cast<int>(row), Shown);
    } else if (list.selectedCount_ > 0) {
        // Only the rows within the span of the list's marks can be marked: a filter of millions of rows over
        // a list with few marks reads few of them.
        const auto from = std::lower_bound(rows.begin(), rows.end(), list.lowest_);
        const auto to = std::upper_bound(from, rows.end(), list.highest_);
        for (auto row = from; row != to; ++row)
            if (list.RowSelected(*row))
                Set(static_cast<int>(row - rows.begin()), Shown);
    }
    emit RowsChanged();
}

void TRowSelection::ScatterTo(TRowSelection& list, std::span<const std::int32_t> rows) const {
    list.EndGesture();
    const int count = std::min(count_, static_cast<int>(rows.size()));
    for (int row = 0; row < count; ++row) {
        const std::int32_t target = rows[static_cast<std::size_t>(row)];
        if (target >= 0 && target < list.count_)
            list.Set(target, RowSelected(row) ? Shown : 0);
    }
    emit list.RowsChanged();
}

void TRowSelection::Mark(int first, int last, TRowMark mark, bool inGesture, bool clearFirst) {
    if (inGesture)
        UndoGesture();
    else
        EndGesture();
    if (clearFirst)
        ClearMarked();
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    if (first <= last) {
        const std::uint8_t keep = inGesture ? 1 : 0;
        switch (mark) {
        case TRowMark::Select:
            Rewrite(first, last, [keep](std::uint8_t was) {
                return Shown | static_cast<std::uint8_t>((was & keep) << 1);
            });
            break;
        case TRowMark::Deselect:
            Rewrite(first, last,
                    [keep](std::uint8_t was) { return static_cast<std::uint8_t>((was & keep) << 1); });
            break;
        case TRowMark::Toggle:
            Rewrite(first, last, [keep](std::uint8_t was) {
                return static_cast<std::uint8_t>((was ^ Shown) | ((was & keep) << 1));
            });
            break;
        }
        if (inGesture) {
            gestureFirst_ = first;
            gestureLast_ = last;
        }
    }
    emit RowsChanged();
}

void TRowSelection::EndGesture() {
    if (gestureFirst_ <= gestureLast_)
        Rewrite(gestureFirst_, gestureLast_,
                [](std::uint8_t was) { return static_cast<std::uint8_t>(was & Shown); });
    gestureFirst_ = 0;
    gestureLast_ = -1;
}

void TRowSelection::UndoGesture() {
    if (gestureFirst_ <= gestureLast_)
        Rewrite(gestureFirst_, gestureLast_,
                [](std::uint8_t was) { return static_cast<std::uint8_t>((was >> 1) & Shown); });
    gestureFirst_ = 0;
    gestureLast_ = -1;
}

template <class F> void TRowSelection::Rewrite(int first, int last, F&& rewrite) {
    std::uint8_t* data = rows_.get();
    const std::uint8_t every = every_;
    long long before = 0;
    long long after = 0;
    std::uint8_t marked = 0;
    for (long long start = first; start <= last; start += Block) {
        const int end = static_cast<int>(std::min<long long>(last, start + Block - 1));
        std::uint8_t blockBefore = 0;
        std::uint8_t blockAfter = 0;
        for (int row = static_cast<int>(start); row <= end; ++row) {
            const std::uint8_t was = data[row] ^ every;
            const std::uint8_t now = rewrite(was);
            blockBefore += was & Shown;
            blockAfter += now & Shown;
            data[row] = now ^ every;
            marked |= data[row];
        }
        before += blockBefore;
        after += blockAfter;
    }
    selectedCount_ += static_cast<int>(after - before);
    if (marked != 0) {
        lowest_ = highest_ < lowest_ ? first : std::min(lowest_, first);
        highest_ = std::max(highest_, last);
    }
}

void TRowSelection::Resize(int count) {
    if (count == 0) {
        rows_.reset();
        every_ = 0;
    } else if (!rows_) {
        // Zeroed pages straight from the system: nothing is touched until a row is marked.
        rows_.reset(static_cast<std::uint8_t*>(std::calloc(Bytes(count), 1)));
        if (!rows_)
            throw std::bad_alloc();
    } else {
        auto* grown = static_cast<std::uint8_t*>(std::realloc(rows_.get(), Bytes(count)));
        if (!grown)
            throw std::bad_alloc();
        (void)rows_.release();
        rows_.reset(grown);
        if (count > count_)
            std::memset(grown + count_, 0, Bytes(count) - Bytes(count_));
    }
    count_ = count;
}

void TRowSelection::Renew(std::uint8_t every) {
    if (count_ > 0) {
        // Zeroed pages straight from the system, as for a new count; the old ones go back to it.
        auto* fresh = static_cast<std::uint8_t*>(std::calloc(Bytes(count_), 1));
        if (!fresh)
            throw std::bad_alloc();
        rows_.reset(fresh);
    }
    every_ = every;
    lowest_ = 0;
    highest_ = -1;
}

void TRowSelection::Set(int row, std::uint8_t value) {
    std::uint8_t& slot = rows_[static_cast<std::size_t>(row)];
    selectedCount_ += static_cast<int>(value) - static_cast<int>((slot ^ every_) & Shown);
    slot = value ^ every_;
    if (slot != 0) {
        if (highest_ < lowest_) {
            lowest_ = highest_ = row;
        } else {
            lowest_ = std::min(lowest_, row);
            highest_ = std::max(highest_, row);
        }
    }
}

void TRowSelection::ClearMarked() {
    if (every_ != 0 || Bytes(highest_ - lowest_ + 1) >= RenewFrom)
        Renew(0);
    else if (highest_ >= lowest_)
        std::memset(rows_.get() + lowest_, 0, Bytes(highest_ - lowest_ + 1));
    selectedCount_ = 0;
    lowest_ = 0;
    highest_ = -1;
}
