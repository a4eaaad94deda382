#include "ui/ListFilter.h"

#include "core/KeyItems.h"
#include "ui/ODListView.h"
#include "ui/ProgressDialog.h"

#include <QTimerEvent>

namespace {

// How often a search waiting for a long command that lets events through looks whether it has ended.
constexpr int RetryMilliseconds = 10;

} // namespace

TListFilter::TListFilter(TODListView& view, std::function<const TKeyItems*()> list, QObject* parent)
    : QObject(parent), view_(view), list_(std::move(list)),
      thread_([this](std::uint64_t search, TEntryFilterThread::TRows rows) {
          QMetaObject::invokeMethod(
              this, [this, search, rows = std::move(rows)] { ShowFound(search, rows); },
              Qt::QueuedConnection);
      }) {}

void TListFilter::SetText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    Restart();
}

void TListFilter::ListChanged() {
    thread_.ListChanged();
    Restart();
}

void TListFilter::Restart() {
    if (text_.isEmpty()) {
        thread_.Cancel();
        waiting_ = false;
        search_ = 0;
        retry_.stop();
        view_.ShowAll();
        emit Shown();
        return;
    }
    // From the event loop, where a long command that lets events through is noticed.
    thread_.Cancel();
    search_ = 0;
    waiting_ = true;
    retry_.start(0, this);
}

void TListFilter::StartSearch() {
    // The list is changing under a command, which may let events through; the search starts after it.
    if (commandRunning_ || ProgressPumping()) {
        if (!commandRunning_)
            retry_.start(RetryMilliseconds, this);
        else
            retry_.stop();
        return;
    }
    retry_.stop();
    waiting_ = false;
    const TKeyItems* list = list_();
    if (!list) {
        thread_.Cancel();
        search_ = 0;
        view_.ShowOnly(std::make_shared<const TFilterRows>());
        emit Shown();
        return;
    }
    const QByteArray text = text_.toUtf8();
    search_ = thread_.Search(*list, std::string(text.constData(), static_cast<std::size_t>(text.size())));
}

void TListFilter::timerEvent(QTimerEvent* event) {
    if (event->timerId() != retry_.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    StartSearch();
}

void TListFilter::ShowFound(std::uint64_t search, const TEntryFilterThread::TRows& rows) {
    if (search != search_)
        return;
    search_ = 0;
    view_.ShowOnly(rows);
    emit Shown();
}

void TListFilter::CommandStarting() {
    commandRunning_ = true;
    if (search_ != 0) {
        search_ = 0;
        waiting_ = true;
    }
    thread_.Stop();
}

void TListFilter::CommandEnded() {
    commandRunning_ = false;
    // Later, once every observer has heard the end: one may still change the lists as it hears it.
    if (waiting_)
        retry_.start(0, this);
}
