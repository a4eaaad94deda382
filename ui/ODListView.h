#pragma once

#include "core/LargeBuffer.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QHeaderView;
class QStandardItemModel;
class TRowSelection;

enum TODErrorStage : int { esData = 0, esDrawItem = 1, esDrawSubItem = 2 };

// What one row shows: the first column's caption and the second column's text.
struct TODRow {
    QString Caption;
    QString SubItem;
};

// Text and background of one row.
struct TODRowColors {
    QColor Text;
    QColor Background;
};

// A report-style list view in virtual mode that paints its rows itself. It holds no rows, only a row count,
// and asks for the text and colours of the rows on screen when it paints them. The scroll bar counts rows,
// not pixels, so any count up to the largest int scrolls and paints alike. Several rows can be selected;
// the selection is one byte per row. The last column fills the width the others leave. With OnODError
// assigned, an exception while a row is fetched or drawn is swallowed, the row is drawn empty, and
// OnODError is called later from the event loop.
//
// A filter shows only some rows of the list, in list order. Rows the view's own functions take and give are
// then rows as shown, while OnData, OnCustomDrawItem and Selection() speak of list rows: highlighting a
// shown row highlights its list row, and the list's highlight outside the shown rows stays as it was.
class TODListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The event the view posts to itself to report a failed fetch or drawing.
    static constexpr int ODErrorMessage = 1025;
    static constexpr int Columns = 2;

    explicit TODListView(QWidget* parent = nullptr);

    std::function<void(int row, TODRow& data)> OnData;
    std::function<void(int row, TODRowColors& colors)> OnCustomDrawItem;
    std::function<void(TODErrorStage stage, int row)> OnODError;
    std::function<void(int column)> OnColumnClick;

    // 0 empties the view: selection, current row and scroll position go too. Otherwise the selection, the
    // current row and the scroll position of the rows that remain are kept.
    void SetRowCount(int count);
    // The list's rows, shown or not.
    int RowCount() const { return listCount_; }
    // Shows only these list rows (ascending), shared with whoever found them; the current row and the scroll
    // position start afresh.
    void ShowOnly(std::shared_ptr<const TLargeVector<std::int32_t>> rows);
    // Ends the filter; the current row stays on its list row.
    void ShowAll();
    bool Filtered() const { return filtered_; }
    int ShownCount() const { return count_; }
    // A paused view paints no rows: their list is changing.
    void SetPaused(bool paused);
    int ListRow(int shown) const { return filtered_ ? (*shown_)[static_cast<std::size_t>(shown)] : shown; }
    void SetColumnCaptions(const QString& first, const QString& second);
    // Also sets the row height to the font's.
    void SetListFont(const QFont& font);
    // The list's highlighted rows.
    TRowSelection& Selection() const { return *selection_; }
    QHeaderView& Header() const { return *header_; }

    // The width a column was given; the last column is shown at least as wide as the space left to it.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    // Fits the column to the widest text of the rows on screen: the others are never visited.
    void ResizeColumnToContents(int column);

    int RowHeight() const { return rowHeight_; }
    int TopRow() const;
    // The row painted at that height of the viewport; -1 where no row is. Heights above or below the
    // viewport give the rows that would lie there.
    int RowAt(int y) const;
    // The row's band in the viewport (whole width), empty when the row is far off screen.
    QRect RowRect(int row) const;
    int CurrentRow() const { return current_; }
    void SetCurrentRow(int row);
    void ScrollToRow(int row, bool atTop);

    // The row's (a list row's) data and colours as painting gets them: through the guard when OnODError is
    // assigned. False when the guard swallowed an exception.
    bool FetchRow(int row, TODRow& data) const;
    bool FetchColors(int row, int column, TODRowColors& colors) const;

    // Highlights every shown row.
    void SelectAll();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // The highlight of the rows as shown: the list's own, or a copy for the filtered rows.
    TRowSelection& Marks();
    void ShowRows(int count);
    template <class F> bool Guarded(TODErrorStage stage, int row, F&& operation) const;
    void UpdateRowHeight();
    void UpdateGeometries();
    void FillLastColumn();
    void PaintRow(QPainter& painter, int row, bool selected, int y, const QRect& area) const;
    int VisibleRows() const;
    void MoveCurrent(int row, int column, Qt::KeyboardModifiers modifiers);
    void EnsureVisible(int row, int column);
    void DragTo(QPoint position);

    QHeaderView* header_ = nullptr;
    QStandardItemModel* captions_ = nullptr;
    TRowSelection* selection_ = nullptr;
    // The list rows shown while filtered (the first count_ of shown_), and their highlight, which is written
    // through to the list's at once and read back from it when the list's changes otherwise.
    std::span<const std::int32_t> Shown() const { return {shown_->data(), static_cast<std::size_t>(count_)}; }
    std::shared_ptr<const TLargeVector<std::int32_t>> shown_;
    TRowSelection* shownSelection_ = nullptr;
    bool filtered_ = false;
    bool shownStale_ = false;
    bool syncing_ = false;
    int listCount_ = 0;
    // The rows shown.
    int count_ = 0;
    bool paused_ = false;
    int rowHeight_ = 1;
    int headerHeight_ = -1;
    int lastColumnWidth_ = 0;
    bool fillingLastColumn_ = false;
    int current_ = -1;
    int currentColumn_ = 0;
    // Whether a current row was ever set since the view was filled: focus then no longer picks the first.
    bool currentSet_ = false;
    // Where Shift-selection extends from.
    int anchor_ = -1;
    // The row a drag-selection spans from, and the row of the last press.
    int dragOrigin_ = -1;
    int pressedRow_ = -1;
    bool dragging_ = false;
    Qt::KeyboardModifiers dragModifiers_;
    // Ctrl-dragging sets or clears rows by what the pressed row held before the press.
    bool ctrlDragSelects_ = true;
    QPoint lastDragPosition_;
    QBasicTimer autoScroll_;
    // A click brings its row wholly into view, after the time a double click could take.
    QBasicTimer delayedScroll_;
    int autoScrollStep_ = 0;
};
