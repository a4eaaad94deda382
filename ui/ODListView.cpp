#include "ui/ODListView.h"

#include "frame/ExceptionHook.h"
#include "ui/RowSelection.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStandardItemModel>

#include <algorithm>

namespace {

constexpr int TextIndent = 6;
constexpr int RowPadding = 4;
// How near the viewport's edge a drag starts scrolling, and how often it scrolls.
constexpr int AutoScrollMargin = 16;
constexpr int AutoScrollMilliseconds = 50;

class TODErrorEvent : public QEvent {
public:
    TODErrorEvent(TODErrorStage stage, int row)
        : QEvent(static_cast<QEvent::Type>(TODListView::ODErrorMessage)), Stage(stage), Row(row) {}
    TODErrorStage Stage;
    int Row;
};

// Rounds towards minus infinity: heights above the viewport belong to the rows above the top one.
int RowsBelowTop(int y, int rowHeight) {
    return y >= 0 ? y / rowHeight : -((-y + rowHeight - 1) / rowHeight);
}

// A right-to-left text is laid out as a right-to-left paragraph, so that it reads as written, but stays
// at the left edge of its column like every other row.
int TextFlags(const QString& text) {
    return Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter | Qt::TextSingleLine |
           (text.isRightToLeft() ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
}

} // namespace

TODListView::TODListView(QWidget* parent) : QAbstractScrollArea(parent) {
    selection_ = new TRowSelection(this);
    connect(selection_, &TRowSelection::RowsChanged, viewport(), qOverload<>(&QWidget::update));
    shownSelection_ = new TRowSelection(this);
    // A highlight given from outside (a command) is read into the shown rows when they are next used: a
    // command that highlights row by row would otherwise copy them all for every row.
    connect(selection_, &TRowSelection::RowsChanged, this, [this] {
        if (filtered_ && !syncing_)
            shownStale_ = true;
    });
    connect(shownSelection_, &TRowSelection::RowsChanged, this, [this] {
        if (!filtered_ || syncing_)
            return;
        syncing_ = true;
        shownSelection_->ScatterTo(*selection_, Shown());
        syncing_ = false;
    });
    captions_ = new QStandardItemModel(0, Columns, this);
    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setModel(captions_);
    header_->setSectionResizeMode(QHeaderView::Interactive);
    header_->setSectionsClickable(true);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(header_, &QHeaderView::sectionClicked, this, [this](int column) {
        if (OnColumnClick)
            CallReportingFailures([&] { OnColumnClick(column); });
    });
    connect(header_, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        if (!fillingLastColumn_) {
            if (column == Columns - 1)
                lastColumnWidth_ = width;
            UpdateGeometries();
        }
        viewport()->update();
    });
    connect(header_, &QHeaderView::sectionHandleDoubleClicked, this, &TODListView::ResizeColumnToContents);
    lastColumnWidth_ = header_->sectionSize(Columns - 1);
    UpdateRowHeight();
    UpdateGeometries();
}

void TODListView::SetRowCount(int count) {
    count = std::max(count, 0);
    if (count == listCount_)
        return;
    if (count == 0 || listCount_ == 0)
        selection_->SetRowCount(0);
    selection_->SetRowCount(count);
    listCount_ = count;
    if (!filtered_) {
        ShowRows(count);
        return;
    }
    // Until the filter is run on the changed list, the rows it found that still exist stay.
    const std::span<const std::int32_t> shown = Shown();
    shownStale_ = true;
    ShowRows(static_cast<int>(std::lower_bound(shown.begin(), shown.end(), count) - shown.begin()));
}

void TODListView::ShowOnly(std::shared_ptr<const TLargeVector<std::int32_t>> rows) {
    // The same rows again (the filter run anew on an unchanged list) keep their place on screen.
    if (filtered_ && std::ranges::equal(*rows, Shown()))
        return;
    shown_ = std::move(rows);
    filtered_ = true;
    shownStale_ = true;
    count_ = 0;
    ShowRows(static_cast<int>(shown_->size()));
}

void TODListView::ShowAll() {
    if (!filtered_)
        return;
    const int current = current_ >= 0 ? ListRow(current_) : -1;
    const int anchor = anchor_ >= 0 ? ListRow(anchor_) : -1;
    filtered_ = false;
    shown_.reset();
    shownSelection_->SetRowCount(0);
    count_ = listCount_;
    current_ = current;
    anchor_ = anchor;
    dragOrigin_ = pressedRow_ = -1;
    UpdateGeometries();
    if (current_ >= 0)
        EnsureVisible(current_, currentColumn_);
    viewport()->update();
}

TRowSelection& TODListView::Marks() {
    if (!filtered_)
        return *selection_;
    if (shownStale_) {
        syncing_ = true;
        shownSelection_->GatherFrom(*selection_, Shown());
        syncing_ = false;
        shownStale_ = false;
    }
    return *shownSelection_;
}

void TODListView::ShowRows(int count) {
    const bool emptied = count == 0 || count_ == 0;
    count_ = count;
    if (emptied) {
        current_ = anchor_ = dragOrigin_ = pressedRow_ = -1;
        currentSet_ = false;
        verticalScrollBar()->setValue(0);
    }
    for (int* row : {&current_, &anchor_, &dragOrigin_, &pressedRow_})
        if (*row >= count)
            *row = -1;
    UpdateGeometries();
    viewport()->update();
}

void TODListView::SetColumnCaptions(const QString& first, const QString& second) {
    captions_->setHorizontalHeaderLabels({first, second});
    UpdateGeometries();
}

void TODListView::SetListFont(const QFont& font) {
    setFont(font);
    UpdateRowHeight();
    UpdateGeometries();
    viewport()->update();
}

int TODListView::ColumnWidth(int column) const {
    if (column == Columns - 1)
        return lastColumnWidth_;
    return header_->sectionSize(column);
}

void TODListView::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= Columns)
        return;
    if (column == Columns - 1)
        lastColumnWidth_ = width;
    else
        header_->resizeSection(column, width);
    UpdateGeometries();
}

void TODListView::ResizeColumnToContents(int column) {
    if (column < 0 || column >= Columns)
        return;
    int widest = header_->sectionSizeHint(column);
    if (count_ > 0) {
        const QFontMetrics metrics(font());
        const int first = TopRow();
        const int last = std::min(count_ - 1, first + VisibleRows());
        for (int row = first; row <= last; ++row) {
            TODRow data;
            if (FetchRow(ListRow(row), data))
                widest =
                    std::max(widest, metrics.horizontalAdvance(column == 0 ? data.Caption : data.SubItem) +
                                         2 * TextIndent);
        }
    }
    SetColumnWidth(column, widest);
}

int TODListView::TopRow() const {
    return verticalScrollBar()->value();
}

int TODListView::RowAt(int y) const {
    const long long row = static_cast<long long>(TopRow()) + RowsBelowTop(y, rowHeight_);
    return row >= 0 && row < count_ ? static_cast<int>(row) : -1;
}

QRect TODListView::RowRect(int row) const {
    const long long y = (static_cast<long long>(row) - TopRow()) * rowHeight_;
    if (row < 0 || row >= count_ || y < -rowHeight_ || y > viewport()->height())
        return {};
    return {0, static_cast<int>(y), viewport()->width(), rowHeight_};
}

void TODListView::SetCurrentRow(int row) {
    current_ = row >= 0 && row < count_ ? row : -1;
    currentSet_ = true;
    anchor_ = current_;
    viewport()->update();
}

void TODListView::ScrollToRow(int row, bool atTop) {
    if (atTop)
        verticalScrollBar()->setValue(row);
    else
        EnsureVisible(row, currentColumn_);
}

bool TODListView::FetchRow(int row, TODRow& data) const {
    return Guarded(esData, row, [&] {
        if (OnData)
            OnData(row, data);
    });
}

bool TODListView::FetchColors(int row, int column, TODRowColors& colors) const {
    return Guarded(column == 0 ? esDrawItem : esDrawSubItem, row, [&] {
        if (OnCustomDrawItem)
            OnCustomDrawItem(row, colors);
    });
}

void TODListView::SelectAll() {
    Marks().SelectAllRows();
}

bool TODListView::event(QEvent* event) {
    if (event->type() != static_cast<QEvent::Type>(ODErrorMessage))
        return QAbstractScrollArea::event(event);
    const auto* report = static_cast<TODErrorEvent*>(event);
    if (OnODError)
        OnODError(report->Stage, report->Row);
    return true;
}

void TODListView::SetPaused(bool paused) {
    paused_ = paused;
    viewport()->update();
}

void TODListView::paintEvent(QPaintEvent* event) {
    if (count_ == 0 || paused_)
        return;
    const TRowSelection& marks = Marks();
    QPainter painter(viewport());
    painter.setFont(font());
    const QRect area = event->rect();
    const int top = TopRow();
    const int first = top + std::max(area.top(), 0) / rowHeight_;
    const int last = static_cast<int>(std::min<long long>(
        count_ - 1, static_cast<long long>(top) + std::max(area.bottom(), 0) / rowHeight_));
    for (int row = first; row <= last; ++row)
        PaintRow(painter, row, marks.RowSelected(row), (row - top) * rowHeight_, area);
}

void TODListView::PaintRow(QPainter& painter, int row, bool selected, int y, const QRect& area) const {
    TODRow data;
    const int listRow = ListRow(row);
    const bool fetched = FetchRow(listRow, data);
    const bool focused = hasFocus() && row == current_;
    const QFontMetrics metrics(painter.font());
    for (int column = 0; column < Columns; ++column) {
        const QRect cell(header_->sectionViewportPosition(column), y, header_->sectionSize(column),
                         rowHeight_);
        if (!cell.intersects(area))
            continue;
        TODRowColors colors{palette().color(QPalette::Text), palette().color(QPalette::Base)};
        FetchColors(listRow, column, colors);
        // A selected row takes the highlight colours, also while the view has no focus.
        if (selected)
            colors = {palette().color(QPalette::Active, QPalette::HighlightedText),
                      palette().color(QPalette::Active, QPalette::Highlight)};
        painter.fillRect(cell, colors.Background);
        if (fetched) {
            const QString& text = column == 0 ? data.Caption : data.SubItem;
            const QRect box = cell.adjusted(TextIndent, 0, -2, 0);
            painter.setPen(colors.Text);
            painter.drawText(box, TextFlags(text), metrics.elidedText(text, Qt::ElideRight, box.width()));
        }
        if (focused) {
            // The dotted frame around the current row, drawn a cell at a time.
            painter.setPen(QPen(colors.Text, 1, Qt::DotLine));
            painter.drawLine(cell.topLeft(), cell.topRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            if (column == 0)
                painter.drawLine(cell.topLeft(), cell.bottomLeft());
            if (column == Columns - 1)
                painter.drawLine(cell.topRight(), cell.bottomRight());
        }
    }
}

void TODListView::resizeEvent(QResizeEvent*) {
    UpdateGeometries();
}

void TODListView::scrollContentsBy(int, int) {
    header_->setOffset(horizontalScrollBar()->value());
    viewport()->update();
}

void TODListView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    const bool control = event->modifiers().testFlag(Qt::ControlModifier);
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) {
        if (current_ >= 0)
            Marks().Mark(current_, current_,
                         control || event->key() == Qt::Key_Select ? TRowMark::Toggle : TRowMark::Select,
                         false);
        return;
    }
    const int last = count_ - 1;
    int row = current_;
    int column = currentColumn_;
    switch (event->key()) {
    case Qt::Key_Up:
        row = current_ - 1;
        break;
    case Qt::Key_Down:
        row = current_ + 1;
        break;
    case Qt::Key_PageUp:
        row = current_ - VisibleRows();
        break;
    case Qt::Key_PageDown:
        row = current_ + std::min(VisibleRows(), last - current_);
        break;
    case Qt::Key_Home:
        row = 0;
        break;
    case Qt::Key_End:
        row = last;
        break;
    case Qt::Key_Left:
        column = currentColumn_ - 1;
        break;
    case Qt::Key_Right:
        column = currentColumn_ + 1;
        break;
    default:
        event->ignore();
        return;
    }
    if (count_ == 0)
        return;
    if (current_ < 0 && event->key() != Qt::Key_Home && event->key() != Qt::Key_End) {
        row = 0;
        column = 0;
    }
    row = std::clamp(row, 0, last);
    column = std::clamp(column, 0, Columns - 1);
    if (row != current_ || column != currentColumn_)
        MoveCurrent(row, column, event->modifiers());
}

void TODListView::MoveCurrent(int row, int column, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::ControlModifier)) {
        anchor_ = row;
    } else if (modifiers.testFlag(Qt::ShiftModifier)) {
        if (anchor_ < 0)
            anchor_ = current_ >= 0 ? current_ : row;
        Marks().Mark(anchor_, row, TRowMark::Select, true);
    } else {
        Marks().Mark(row, row, TRowMark::Select, false, true);
        anchor_ = row;
    }
    current_ = row;
    currentColumn_ = column;
    currentSet_ = true;
    EnsureVisible(row, column);
    viewport()->update();
}

void TODListView::mousePressEvent(QMouseEvent* event) {
    const int row = RowAt(event->position().toPoint().y());
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool right = event->button() == Qt::RightButton;
    pressedRow_ = row;
    dragging_ = false;
    dragModifiers_ = modifiers;
    if (row < 0) {
        dragOrigin_ = -1;
        if (!right && !shift && !control)
            Marks().ClearRows();
        return;
    }
    const int before = current_;
    current_ = row;
    currentColumn_ = std::max(header_->logicalIndexAt(event->position().toPoint().x()), 0);
    currentSet_ = true;
    delayedScroll_.start(QApplication::doubleClickInterval() + 100, this);
    if (control) {
        // Ctrl decides by the row's own state whether the press and the drag after it select or deselect.
        ctrlDragSelects_ = !Marks().RowSelected(row);
        Marks().Mark(row, row, ctrlDragSelects_ ? TRowMark::Select : TRowMark::Deselect, false);
        anchor_ = dragOrigin_ = row;
    } else if (shift && !right) {
        if (anchor_ < 0)
            anchor_ = before >= 0 ? before : row;
        Marks().Mark(anchor_, row, TRowMark::Select, true);
    } else if (!shift) {
        // A press on a selected row leaves the selection to the release: it may start a drag.
        if (!Marks().RowSelected(row))
            Marks().Mark(row, row, TRowMark::Select, false, true);
        anchor_ = dragOrigin_ = row;
    }
    viewport()->update();
}

void TODListView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton || pressedRow_ < 0)
        return;
    lastDragPosition_ = event->position().toPoint();
    dragModifiers_ = event->modifiers();
    DragTo(lastDragPosition_);
    const int y = lastDragPosition_.y();
    if (y < AutoScrollMargin || y > viewport()->height() - AutoScrollMargin) {
        if (!autoScroll_.isActive()) {
            autoScrollStep_ = 0;
            autoScroll_.start(AutoScrollMilliseconds, this);
        }
    } else {
        autoScroll_.stop();
    }
}

void TODListView::DragTo(QPoint position) {
    const int row = RowAt(position.y());
    if (row < 0 || dragOrigin_ < 0)
        return;
    dragging_ = true;
    if (dragModifiers_.testFlag(Qt::ControlModifier))
        Marks().Mark(dragOrigin_, row, ctrlDragSelects_ ? TRowMark::Select : TRowMark::Deselect, true);
    else
        Marks().Mark(dragOrigin_, row, TRowMark::Select, true, !dragModifiers_.testFlag(Qt::ShiftModifier));
    current_ = row;
    viewport()->update();
}

void TODListView::mouseReleaseEvent(QMouseEvent* event) {
    autoScroll_.stop();
    const int row = RowAt(event->position().toPoint().y());
    const bool plain = !event->modifiers().testAnyFlags(Qt::ShiftModifier | Qt::ControlModifier);
    const bool onPressedSelected = row >= 0 && row == pressedRow_ && Marks().RowSelected(row);
    const bool right = event->button() == Qt::RightButton;
    if (plain && !dragging_ && (onPressedSelected || row < 0) && (!right || row < 0)) {
        if (row < 0)
            Marks().ClearRows();
        else
            Marks().Mark(row, row, TRowMark::Select, false, true);
    }
    dragging_ = false;
    pressedRow_ = -1;
}

void TODListView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press on the same row is no new click.
    if (RowAt(event->position().toPoint().y()) != current_ || current_ < 0)
        mousePressEvent(event);
    else
        pressedRow_ = current_;
}

void TODListView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    if (!currentSet_ && current_ < 0 && count_ > 0 && event->reason() != Qt::MouseFocusReason) {
        current_ = 0;
        currentSet_ = true;
    }
    viewport()->update();
}

void TODListView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TODListView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == delayedScroll_.timerId()) {
        delayedScroll_.stop();
        if (current_ >= 0)
            EnsureVisible(current_, currentColumn_);
        return;
    }
    if (event->timerId() != autoScroll_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    const int y = lastDragPosition_.y();
    // Scrolls faster the longer the pointer stays beyond the edge, up to a page at a time.
    autoScrollStep_ = std::min(autoScrollStep_ + 1, VisibleRows());
    QScrollBar* bar = verticalScrollBar();
    if (y < AutoScrollMargin)
        bar->setValue(bar->value() - autoScrollStep_);
    else if (y > viewport()->height() - AutoScrollMargin)
        bar->setValue(bar->value() + autoScrollStep_);
    else
        autoScroll_.stop();
    DragTo(lastDragPosition_);
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
    rowHeight_ = std::max(QFontMetrics(font()).height() + RowPadding, 1);
}

void TODListView::UpdateGeometries() {
    const int height = header_->sizeHint().height();
    if (height != headerHeight_) {
        headerHeight_ = height;
        setViewportMargins(0, height, 0, 0);
    }
    const QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - headerHeight_, area.width(), headerHeight_);
    FillLastColumn();
    QScrollBar* rows = verticalScrollBar();
    const int page = VisibleRows();
    rows->setRange(0, std::max(0, count_ - page));
    rows->setPageStep(page);
    rows->setSingleStep(1);
    QScrollBar* pixels = horizontalScrollBar();
    const int width = area.width();
    pixels->setRange(0, std::max(0, header_->length() - width));
    pixels->setPageStep(width);
    pixels->setSingleStep(std::max(width / 3, 2));
    header_->setOffset(pixels->value());
}

void TODListView::FillLastColumn() {
    int others = 0;
    for (int column = 0; column < Columns - 1; ++column)
        others += header_->sectionSize(column);
    const int width = std::max(lastColumnWidth_, viewport()->width() - others);
    if (header_->sectionSize(Columns - 1) == width)
        return;
    fillingLastColumn_ = true;
    header_->resizeSection(Columns - 1, width);
    fillingLastColumn_ = false;
}

int TODListView::VisibleRows() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

void TODListView::EnsureVisible(int row, int column) {
    QScrollBar* rows = verticalScrollBar();
    const int top = rows->value();
    const int page = VisibleRows();
    if (row < top)
        rows->setValue(row);
    else if (row - top >= page)
        rows->setValue(row - page + 1);
    QScrollBar* pixels = horizontalScrollBar();
    const int left = header_->sectionPosition(column);
    const int right = left + header_->sectionSize(column);
    const int width = viewport()->width();
    if (left < pixels->value())
        pixels->setValue(left);
    else if (right > pixels->value() + width)
        pixels->setValue(std::min(left, right - width));
}
