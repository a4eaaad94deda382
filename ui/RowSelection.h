#pragma once

#include "core/RowRuns.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TIntList;

enum class TRowMark { Select, Deselect, Toggle };

// The rows a user highlights, one byte per row and nothing else per row, so that every operation stays
// linear at any row count and a fresh array of two billion rows costs no memory until rows are marked (it is
// taken zeroed from the system). Bit 0 of a byte is the row's state, as it differs from the state of every
// row (so that selecting all rows and inverting take fresh zeroed storage or nothing, not a write of every
// row); bit 1 keeps what the row held before the ongoing Shift- or drag-gesture, so that the gesture's range
// can be replaced as the pointer moves.
class TRowSelection : public QObject {
    Q_OBJECT
public:
    explicit TRowSelection(QObject* parent = nullptr) : QObject(parent) {}

    // Keeps the marks of the rows below the new count; new rows are not selected.
    void SetRowCount(int count);
    int RowCount() const { return count_; }
    bool RowSelected(int row) const {
        return row >= 0 && row < count_ && ((rows_[static_cast<std::size_t>(row)] ^ every_) & 1) != 0;
    }
    void SetRowSelected(int row, bool selected);
    int SelectedCount() const { return selectedCount_; }
    // Ascending.
    std::vector<int> SelectedRows() const;
    // The same as runs, as long as the selection is made of few runs however many rows they hold.
    std::vector<TRowRun> SelectedRuns() const;
    void ClearRows();
    void SelectAllRows();
    void InvertRows();
    // Exactly these rows (ascending or not), dropping any other selection; rows out of range are skipped.
    void SelectOnly(const TIntList& rows);
    // SelectOnly for the rows of ascending runs.
    void SelectRuns(const std::vector<TRowRun>& runs);
    // For a filtered view whose row i is list row rows[i] (ascending): GatherFrom makes this the view's
    // selection, each row marked as its list row is; ScatterTo gives the list rows the marks of this one.
    // Rows out of range are skipped.
    void GatherFrom(const TRowSelection& list, std::span<const std::int32_t> rows);
    void ScatterTo(TRowSelection& list, std::span<const std::int32_t> rows) const;

    // Marks the rows first..last (either order) for a click or a key. Within a gesture, a mark replaces the
    // gesture's previous one; otherwise it ends the gesture and stays.
    void Mark(int first, int last, TRowMark mark, bool inGesture, bool clearFirst = false);

signals:
    void RowsChanged();

private:
    struct TFree {
        void operator()(std::uint8_t* data) const;
    };

    void EndGesture();
    void UndoGesture();
    void Resize(int count);
    // Every row unmarked in fresh zeroed storage, with every row's state every.
    void Renew(std::uint8_t every);
    void Set(int row, std::uint8_t value);
    // Rewrites the bytes of first..last, keeping the count and the bounds of the selected rows.
    template <class F> void Rewrite(int first, int last, F&& rewrite);
    void ClearMarked();

    std::unique_ptr<std::uint8_t[], TFree> rows_;
    int count_ = 0;
    int selectedCount_ = 0;
    // The state of every row whose byte is 0: selected (1) after selecting all rows or inverting.
    std::uint8_t every_ = 0;
    // No row outside lowest_..highest_ is marked: clearing a small selection of a huge list stays cheap.
    int lowest_ = 0;
    int highest_ = -1;
    // The rows of the ongoing gesture, whose bit 1 holds their state from before it.
    int gestureFirst_ = 0;
    int gestureLast_ = -1;
};
