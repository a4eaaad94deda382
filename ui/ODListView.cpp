#include "ODListView.h"

#include "ExceptionHook.h"
#include "SelectionModel.h"
#include "VirtualRowModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace {

constexpr int TextIndent = 6;
constexpr int RowPadding = 4;

class TODErrorEvent : public QEvent {
public:
    TODErrorEvent(TODErrorStage stage, int row)
        : QEvent(static_cast<QEvent::Type>(TODListView::ODErrorMessage)), Stage(stage), Row(row) {}
    TODErrorStage Stage;
    int Row;
};

// Paints a cell from the view's row fetch and colours; a selected row takes the highlight colours, also
// while the view has no focus.
class TRowDelegate : public QStyledItemDelegate {
public:
    explicit TRowDelegate(TODListView& view) : QStyledItemDelegate(&view), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const int row = index.row();
        const int column = index.column();
        TODRowColors colors{option.palette.color(QPalette::Text), option.palette.color(QPalette::Base)};
        view_.FetchColors(row, column, colors);
        if (view_.Selection().RowSelected(row))
            colors = {option.palette.color(QPalette::Active, QPalette::HighlightedText),
                      option.palette.color(QPalette::Active, QPalette::Highlight)};
        painter->fillRect(option.rect, colors.Background);
        TODRow data;
        if (view_.FetchRow(row, data)) {
            const QString& text = column == 0 ? data.Caption : data.SubItem;
            const QRect box = option.rect.adjusted(TextIndent, 0, -2, 0);
            painter->setPen(colors.Text);
            painter->setFont(option.font);
            painter->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                              option.fontMetrics.elidedText(text, Qt::ElideRight, box.width()));
        }
        if (view_.hasFocus() && view_.currentIndex().row() == row)
            DrawFocusLines(*painter, option.rect, column, colors.Text);
    }

private:
    // The dotted frame around the current row, drawn a cell at a time.
    void DrawFocusLines(QPainter& painter, const QRect& cell, int column, const QColor& color) const {
        QPen pen(color, 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawLine(cell.topLeft(), cell.topRight());
        painter.drawLine(cell.bottomLeft(), cell.bottomRight());
        if (column == 0)
            painter.drawLine(cell.topLeft(), cell.bottomLeft());
        if (column == view_.model()->columnCount() - 1)
            painter.drawLine(cell.topRight(), cell.bottomRight());
    }

    TODListView& view_;
};

} // namespace

TODListView::TODListView(QWidget* parent) : QTableView(parent) {
    model_ = new TVirtualRowModel(this);
    setModel(model_);
    selection_ = new TRowSelectionModel(model_, this);
    setSelectionModel(selection_);
    connect(selection_, &TRowSelectionModel::RowsChanged, viewport(), qOverload<>(&QWidget::update));
    setItemDelegate(new TRowDelegate(*this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);
    setEditTriggers(NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (OnColumnClick)
            CallReportingFailures([&] { OnColumnClick(column); });
    });
    UpdateRowHeight();
}

void TODListView::SetRowCount(int count) {
    const int before = RowCount();
    if (count == before)
        return;
    if (count <= 0 || before == 0) {
        model_->SetRowCount(count);
        selection_->SetRowCount(RowCount());
        return;
    }
    // The model resets on every change of count; what the user sees of the rows that remain stays.
    const int current = currentIndex().row();
    const int column = std::max(currentIndex().column(), 0);
    const int top = verticalScrollBar()->value();
    const int left = horizontalScrollBar()->value();
    std::vector<std::uint8_t> rows = selection_->TakeRows();
    model_->SetRowCount(count);
    selection_->SetRowCount(RowCount());
    selection_->RestoreRows(std::move(rows));
    if (current >= 0 && current < count)
        selection_->setCurrentIndex(model_->index(current, column), QItemSelectionModel::NoUpdate);
    updateGeometries();
    verticalScrollBar()->setValue(top);
    horizontalScrollBar()->setValue(left);
}

int TODListView::RowCount() const {
    return model_->rowCount();
}

void TODListView::SetColumnCaptions(const QString& first, const QString& second) {
    model_->SetCaptions(first, second);
}

void TODListView::SetListFont(const QFont& font) {
    setFont(font);
    UpdateRowHeight();
    viewport()->update();
}

bool TODListView::FetchRow(int row, TODRow& data) const {
    return Guarded(esData, row, [&] {
        if (OnData)
            OnData(row, data);
    });
}

bool TODListView::FetchColors(int row, int column, TODRowColors& colors) {
    return Guarded(column == 0 ? esDrawItem : esDrawSubItem, row, [&] {
        if (OnCustomDrawItem)
            OnCustomDrawItem(row, colors);
    });
}

void TODListView::selectAll() {
    selection_->SelectAllRows();
}

void TODListView::keyboardSearch(const QString&) {
    // Searching by typed letters would walk millions of rows; the view offers no such search.
}

int TODListView::sizeHintForColumn(int column) const {
    if (RowCount() == 0)
        return -1;
    const int first = std::max(rowAt(0), 0);
    int last = rowAt(viewport()->height() - 1);
    if (last < 0)
        last = RowCount() - 1;
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int row = first; row <= last; ++row) {
        TODRow data;
        if (FetchRow(row, data))
            widest = std::max(widest, metrics.horizontalAdvance(column == 0 ? data.Caption : data.SubItem));
    }
    return widest + 2 * TextIndent;
}

QItemSelectionModel::SelectionFlags TODListView::selectionCommand(const QModelIndex& index,
                                                                  const QEvent* event) const {
    const auto rows = QItemSelectionModel::Rows;
    const auto* input = dynamic_cast<const QInputEvent*>(event);
    if (input && index.isValid() && input->modifiers().testFlag(Qt::ControlModifier)) {
        // Qt would decide by its own, always empty, selection whether a Ctrl+click selects or deselects.
        if (event->type() == QEvent::MouseButtonPress) {
            ctrlDrag_ = selection_->RowSelected(index.row()) ? QItemSelectionModel::Deselect
                                                             : QItemSelectionModel::Select;
            return ctrlDrag_ | rows;
        }
        if (event->type() == QEvent::MouseMove &&
            static_cast<const QMouseEvent*>(event)->buttons().testFlag(Qt::LeftButton))
            return ctrlDrag_ | QItemSelectionModel::Current | rows;
    }
    return QTableView::selectionCommand(index, event);
}

QModelIndex TODListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
    const int column = std::max(currentIndex().column(), 0);
    if (cursorAction == MoveHome && RowCount() > 0)
        return model_->index(0, column);
    if (cursorAction == MoveEnd && RowCount() > 0)
        return model_->index(RowCount() - 1, column);
    return QTableView::moveCursor(cursorAction, modifiers);
}

bool TODListView::event(QEvent* event) {
    if (event->type() != static_cast<QEvent::Type>(ODErrorMessage))
        return QTableView::event(event);
    const auto* report = static_cast<TODErrorEvent*>(event);
    if (OnODError)
        OnODError(report->Stage, report->Row);
    return true;
}

template <class F> bool TODListView::Guarded(TODErrorStage stage, int row, F&& operation) const {
    if (!OnODError) {
        operation();
        return true;
    }
    try {
        operation();
        return true;
    } catch (...) {
        // Painting must go on: the failure is reported once the paint is over.
        QCoreApplication::postEvent(const_cast<TODListView*>(this), new TODErrorEvent(stage, row));
        return false;
    }
}

void TODListView::UpdateRowHeight() {
    // Setting the height visits every row, even when it stays the same.
    const int height = QFontMetrics(font()).height() + RowPadding;
    if (height != verticalHeader()->defaultSectionSize())
        verticalHeader()->setDefaultSectionSize(height);
}
