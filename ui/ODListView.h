#pragma once

#include <QTableView>

#include <functional>

class TRowSelectionModel;
class TVirtualRowModel;

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

// A report-style list view in virtual mode: it holds no rows, only a row count, and asks for each row's text
// and colours when it paints that row. Several rows can be selected; the selection is one byte per row, so
// batch operations stay fast at millions of rows. With OnODError assigned, an exception while a row is
// fetched or drawn is swallowed, the row is drawn empty, and OnODError is called later from the event loop.
class TODListView : public QTableView {
    Q_OBJECT
public:
    // The event the view posts to itself to report a failed fetch or drawing.
    static constexpr int ODErrorMessage = 1025;

    explicit TODListView(QWidget* parent = nullptr);

    std::function<void(int row, TODRow& data)> OnData;
    std::function<void(int row, TODRowColors& colors)> OnCustomDrawItem;
    std::function<void(TODErrorStage stage, int row)> OnODError;
    std::function<void(int column)> OnColumnClick;

    // 0 empties the view: selection, current row and scroll position go too. Otherwise the selection of the
    // rows that remain is kept.
    void SetRowCount(int count);
    int RowCount() const;
    void SetColumnCaptions(const QString& first, const QString& second);
    // Also sets the row height to the font's.
    void SetListFont(const QFont& font);
    TRowSelectionModel& Selection() const { return *selection_; }

    // The row's data and colours as painting gets them: through the guard when OnODError is assigned.
    // False when the guard swallowed an exception.
    bool FetchRow(int row, TODRow& data) const;
    bool FetchColors(int row, int column, TODRowColors& colors);

    void selectAll() override;
    void keyboardSearch(const QString& search) override;

protected:
    // The widest text of the rows on screen: fitting a column to its contents never visits the others.
    int sizeHintForColumn(int column) const override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    bool event(QEvent* event) override;

private:
    template <class F> bool Guarded(TODErrorStage stage, int row, F&& operation) const;
    void UpdateRowHeight();

    TVirtualRowModel* model_ = nullptr;
    TRowSelectionModel* selection_ = nullptr;
    // Ctrl-dragging sets or clears rows by what the pressed row held before the press.
    mutable QItemSelectionModel::SelectionFlag ctrlDrag_ = QItemSelectionModel::Select;
};
