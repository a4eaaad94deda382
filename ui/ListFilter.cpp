#include "ui/ListFilter.h"

#include "core/KeyItems.h"
#include "ui/ODListView.h"
#include "ui/ProgressDialog.h"

#include <QElapsedTimer>
#include <QTimerEvent>

namespace {

// A slice reads entries for about this long before events are handled again, in steps of this many entries.
constexpr qint64 SliceMilliseconds = 15;
constexpr int StepRows = 1 << 18;

} // namespace

TListFilter::TListFilter(TODListView& view, std::function<const TKeyItems*()> list, QObject* parent)
    : QObject(parent), view_(view), list_(std::move(list)) {}

void TListFilter::SetText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    Restart(false);
}

void TListFilter::ListChanged() {
    if (text_.isEmpty())
        filter_.Start({}, true);
    else
        Restart(true);
}

void TListFilter::Restart(bool listChanged) {
    const QByteArray text = text_.toUtf8();
    filter_.Start(std::string_view(text.constData(), static_cast<std::size_t>(text.size())), listChanged);
    if (text_.isEmpty()) {
        timer_.stop();
        view_.ShowAll();
        emit Shown();
        return;
    }
    // A text searched before on the unchanged list shows at once.
    if (filter_.Done()) {
        timer_.stop();
        ShowFound();
        return;
    }
    timer_.start(0, this);
}

void TListFilter::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timer_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    // The list is changing under a long command; the search goes on after it.
    if (ProgressPumping())
        return;
    const TKeyItems* list = list_();
    QElapsedTimer clock;
    clock.start();
    bool done = !list;
    while (!done && clock.elapsed() < SliceMilliseconds)
        done = filter_.Advance(*list, StepRows);
    if (!done)
        return;
    timer_.stop();
    ShowFound();
}

void TListFilter::ShowFound() {
    view_.ShowOnly(list_() ? filter_.Matches() : std::vector<std::int32_t>{});
    emit Shown();
}
