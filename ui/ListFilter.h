#pragma once

#include "core/EntryFilterThread.h"
#include "ui/CommandScope.h"

#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <functional>

class TKeyItems;
class TODListView;

// The live filter of a list view: shows only the entries holding a text. The search runs on a thread of its
// own, so typing and painting never wait for it, and a newer text abandons the search for an older one:
// only the newest text's result is ever shown, as soon as it is found. Nothing reads the list while a
// command runs: a command stops the search, which runs again once the command has ended.
class TListFilter : public QObject, public ICommandObserver {
    Q_OBJECT
public:
    // list: the list the view shows, or null.
    TListFilter(TODListView& view, std::function<const TKeyItems*()> list, QObject* parent = nullptr);

    // An empty text shows the whole list again.
    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    // The list's entries changed: the filter reads them all again.
    void ListChanged();
    // Until the newest text's result is shown.
    bool Searching() const { return waiting_ || search_ != 0; }

    void CommandStarting() override;
    void CommandEnded() override;

signals:
    // A search ended and its rows are shown, or the filter ended.
    void Shown();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void Restart();
    // Hands the search to the thread, or waits for the end of the command that changes the list.
    void StartSearch();
    void ShowFound(std::uint64_t search, const TEntryFilterThread::TRows& rows);

    TODListView& view_;
    std::function<const TKeyItems*()> list_;
    QString text_;
    // A search to start once no command changes the list, and the number of the one running.
    bool waiting_ = false;
    std::uint64_t search_ = 0;
    bool commandRunning_ = false;
    QBasicTimer retry_;
    TEntryFilterThread thread_;
};
