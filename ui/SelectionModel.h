#pragma once

#include <QItemSelectionModel>

#include <cstdint>
#include <vector>

class TIntList;

// The rows a user highlights, one byte per row. Qt's own selection model slows down badly with large or
// scattered selections, so every change the view asks for lands here instead and Qt's own selection stays
// empty; the view paints from RowSelected.
class TRowSelectionModel : public QItemSelectionModel {
    Q_OBJECT
public:
    explicit TRowSelectionModel(QAbstractItemModel* model, QObject* parent = nullptr);

    void select(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override;
    void clear() override;
    void reset() override;

    // Keeps the selected rows below the new count; new rows are not selected.
    void SetRowCount(int count);
    // The rows as they are, for putting back after the model was reset.
    std::vector<std::uint8_t> TakeRows();
    void RestoreRows(std::vector<std::uint8_t> rows);
    int RowCount() const { return static_cast<int>(rows_.size()); }
    bool RowSelected(int row) const;
    void SetRowSelected(int row, bool selected);
    int SelectedCount() const { return selectedCount_; }
    // Ascending.
    std::vector<int> SelectedRows() const;
    void ClearRows();
    void SelectAllRows();
    void InvertRows();
    // Exactly these rows (ascending or not), dropping any other selection; rows out of range are skipped.
    void SelectOnly(const TIntList& rows);

signals:
    void RowsChanged();

private:
    struct TSavedRow {
        int Row;
        std::uint8_t Was;
    };

    void Apply(int top, int bottom, QItemSelectionModel::SelectionFlags command);
    void RestoreTransient();
    void Set(int row, std::uint8_t value);

    std::vector<std::uint8_t> rows_;
    int selectedCount_ = 0;
    // What the rows of the ongoing Shift- or drag-selection held before it, to undo it when it changes.
    std::vector<TSavedRow> transient_;
};
