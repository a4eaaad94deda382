#pragma once

#include "core/EntryFilter.h"

#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <functional>

class TKeyItems;
class TODListView;

// The live filter of a list view: shows only the entries holding a text. The search runs on the window's
// thread a slice at a time between events, so typing and painting never wait for it, and a newer text
// abandons the search for an older one: only the newest text's result is ever shown.
class TListFilter : public QObject {
    Q_OBJECT
public:
    // list: the list the view shows, or null.
    TListFilter(TODListView& view, std::function<const TKeyItems*()> list, QObject* parent = nullptr);

    // An empty text shows the whole list again.
    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    // The list's entries changed: the filter reads them all again.
    void ListChanged();
    bool Searching() const { return timer_.isActive(); }

signals:
    // A search ended and its rows are shown, or the filter ended.
    void Shown();

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void Restart(bool listChanged);
    void ShowFound();

    TODListView& view_;
    std::function<const TKeyItems*()> list_;
    QString text_;
    TEntryFilter filter_;
    QBasicTimer timer_;
};
