#include "SelectionModel.h"

#include "IntList.h"

#include <algorithm>

TRowSelectionModel::TRowSelectionModel(QAbstractItemModel* model, QObject* parent)
    : QItemSelectionModel(model, parent) {}

void TRowSelectionModel::select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) {
    select(index.isValid() ? QItemSelection(index, index) : QItemSelection(), command);
}

void TRowSelectionModel::select(const QItemSelection& selection,
                                QItemSelectionModel::SelectionFlags command) {
    if (command == NoUpdate)
        return;
    // A command marked Current replaces the previous one of the same gesture, as Qt's own model does.
    if (command.testFlag(Current))
        RestoreTransient();
    transient_.clear();
    if (command.testFlag(Clear)) {
        std::fill(rows_.begin(), rows_.end(), 0);
        selectedCount_ = 0;
        transient_.clear();
    }
    for (const QItemSelectionRange& range : selection)
        if (range.isValid())
            Apply(range.top(), range.bottom(), command);
    emit RowsChanged();
}

void TRowSelectionModel::clear() {
    ClearRows();
    QItemSelectionModel::clear();
}

void TRowSelectionModel::reset() {
    ClearRows();
    QItemSelectionModel::reset();
}

void TRowSelectionModel::SetRowCount(int count) {
    const auto size = static_cast<std::size_t>(std::max(count, 0));
    if (size < rows_.size())
        selectedCount_ -= static_cast<int>(
            std::count(rows_.begin() + static_cast<std::ptrdiff_t>(size), rows_.end(), std::uint8_t{1}));
    rows_.resize(size, 0);
    transient_.clear();
}

std::vector<std::uint8_t> TRowSelectionModel::TakeRows() {
    std::vector<std::uint8_t> rows = std::move(rows_);
    rows_.clear();
    selectedCount_ = 0;
    transient_.clear();
    return rows;
}

void TRowSelectionModel::RestoreRows(std::vector<std::uint8_t> rows) {
    const int count = RowCount();
    rows_ = std::move(rows);
    selectedCount_ = static_cast<int>(std::count(rows_.begin(), rows_.end(), std::uint8_t{1}));
    SetRowCount(count);
    emit RowsChanged();
}

bool TRowSelectionModel::RowSelected(int row) const {
    return row >= 0 && row < RowCount() && rows_[static_cast<std::size_t>(row)] != 0;
}

void TRowSelectionModel::SetRowSelected(int row, bool selected) {
    if (row < 0 || row >= RowCount())
        return;
    transient_.clear();
    Set(row, selected ? 1 : 0);
    emit RowsChanged();
}

std::vector<int> TRowSelectionModel::SelectedRows() const {
    std::vector<int> selected;
    selected.reserve(static_cast<std::size_t>(selectedCount_));
    const std::uint8_t* data = rows_.data();
    const int count = RowCount();
    for (int row = 0; row < count; ++row)
        if (data[row])
            selected.push_back(row);
    return selected;
}

void TRowSelectionModel::ClearRows() {
    std::fill(rows_.begin(), rows_.end(), 0);
    selectedCount_ = 0;
    transient_.clear();
    emit RowsChanged();
}

void TRowSelectionModel::SelectAllRows() {
    std::fill(rows_.begin(), rows_.end(), 1);
    selectedCount_ = RowCount();
    transient_.clear();
    emit RowsChanged();
}

void TRowSelectionModel::InvertRows() {
    for (std::uint8_t& row : rows_)
        row ^= 1;
    selectedCount_ = RowCount() - selectedCount_;
    transient_.clear();
    emit RowsChanged();
}

void TRowSelectionModel::SelectOnly(const TIntList& rows) {
    std::fill(rows_.begin(), rows_.end(), 0);
    selectedCount_ = 0;
    transient_.clear();
    for (int row : rows)
        if (row >= 0 && row < RowCount())
            Set(row, 1);
    emit RowsChanged();
}

void TRowSelectionModel::Apply(int top, int bottom, QItemSelectionModel::SelectionFlags command) {
    top = std::max(top, 0);
    bottom = std::min(bottom, RowCount() - 1);
    const bool remember = command.testFlag(Current);
    for (int row = top; row <= bottom; ++row) {
        const std::uint8_t was = rows_[static_cast<std::size_t>(row)];
        if (remember)
            transient_.push_back({row, was});
        if (command.testFlag(Toggle))
            Set(row, was ^ 1);
        else if (command.testFlag(Deselect))
            Set(row, 0);
        else if (command.testFlag(Select))
            Set(row, 1);
    }
}

void TRowSelectionModel::RestoreTransient() {
    for (auto it = transient_.rbegin(); it != transient_.rend(); ++it)
        Set(it->Row, it->Was);
}

void TRowSelectionModel::Set(int row, std::uint8_t value) {
    std::uint8_t& slot = rows_[static_cast<std::size_t>(row)];
    selectedCount_ += static_cast<int>(value) - static_cast<int>(slot);
    slot = value;
}
