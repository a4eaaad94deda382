#include "RowSelection.h"

#include "IntList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::uint8_t Shown = 1;
constexpr std::uint8_t Before = 2;

std::size_t Bytes(int count) {
    return static_cast<std::size_t>(std::max(count, 0));
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
    if (count < count_ && highest_ >= count) {
        for (int row = std::max(lowest_, count); row <= highest_; ++row)
            selectedCount_ -= rows_[static_cast<std::size_t>(row)] & Shown;
        highest_ = count - 1;
    }
    Resize(count);
    if (selectedCount_ == 0) {
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
    const std::uint8_t* data = rows_.get();
    for (int row = lowest_; row <= highest_; ++row)
        if (data[row] & Shown)
            selected.push_back(row);
    return selected;
}

void TRowSelection::ClearRows() {
    EndGesture();
    ClearMarked();
    emit RowsChanged();
}

void TRowSelection::SelectAllRows() {
    EndGesture();
    if (count_ > 0)
        std::memset(rows_.get(), Shown, Bytes(count_));
    selectedCount_ = count_;
    lowest_ = 0;
    highest_ = count_ - 1;
    emit RowsChanged();
}

void TRowSelection::InvertRows() {
    EndGesture();
    std::uint8_t* data = rows_.get();
    const std::size_t size = Bytes(count_);
    for (std::size_t row = 0; row < size; ++row)
        data[row] ^= Shown;
    selectedCount_ = count_ - selectedCount_;
    lowest_ = 0;
    highest_ = selectedCount_ > 0 ? count_ - 1 : -1;
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
    std::uint8_t* data = rows_.get();
    for (int row = first; row <= last; ++row) {
        const std::uint8_t was = data[row] & Shown;
        const std::uint8_t now = mark == TRowMark::Select     ? Shown
                                 : mark == TRowMark::Deselect ? 0
                                                              : was ^ Shown;
        Set(row, now);
        if (inGesture)
            data[row] |= was ? Before : 0;
    }
    if (inGesture && first <= last) {
        gestureFirst_ = first;
        gestureLast_ = last;
    }
    emit RowsChanged();
}

void TRowSelection::EndGesture() {
    std::uint8_t* data = rows_.get();
    for (int row = gestureFirst_; row <= gestureLast_; ++row)
        data[row] &= Shown;
    gestureFirst_ = 0;
    gestureLast_ = -1;
}

void TRowSelection::UndoGesture() {
    std::uint8_t* data = rows_.get();
    for (int row = gestureFirst_; row <= gestureLast_; ++row)
        Set(row, (data[row] & Before) ? Shown : 0);
    gestureFirst_ = 0;
    gestureLast_ = -1;
}

void TRowSelection::Resize(int count) {
    if (count == 0) {
        rows_.reset();
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

void TRowSelection::Set(int row, std::uint8_t value) {
    std::uint8_t& slot = rows_[static_cast<std::size_t>(row)];
    selectedCount_ += static_cast<int>(value) - static_cast<int>(slot & Shown);
    slot = value;
    if (value) {
        if (highest_ < lowest_) {
            lowest_ = highest_ = row;
        } else {
            lowest_ = std::min(lowest_, row);
            highest_ = std::max(highest_, row);
        }
    }
}

void TRowSelection::ClearMarked() {
    if (highest_ >= lowest_)
        std::memset(rows_.get() + lowest_, 0, Bytes(highest_ - lowest_ + 1));
    selectedCount_ = 0;
    lowest_ = 0;
    highest_ = -1;
}
