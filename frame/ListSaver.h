#pragma once

#include "frame/ListStore.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class TBusinessLogicLayer;

// Saves the lists on a thread of its own, so the window never waits for the disk. The thread reads the
// lists only while it holds ListsLock; whoever changes a list must hold it too. A save that is asked for
// while another runs is folded into the next one.
class TListSaver {
public:
    TListSaver(TListStore& store, const TBusinessLogicLayer& layer);
    // Finishes the save asked for last.
    ~TListSaver();
    TListSaver(const TListSaver&) = delete;
    TListSaver& operator=(const TListSaver&) = delete;

    std::timed_mutex& ListsLock() { return listsLock_; }

    // Every list that changed since the last save is written.
    void Request(TKeptSession session);
    // Waits until every save asked for is done.
    void Flush();
    // The reason of the last failed save, once.
    std::optional<std::string> TakeFailure();

private:
    void Run();
    void Save(const TKeptSession& session);

    TListStore& store_;
    const TBusinessLogicLayer& layer_;
    std::timed_mutex listsLock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    bool pending_ = false;
    bool busy_ = false;
    bool stop_ = false;
    TKeptSession session_;
    std::optional<std::string> failure_;
    std::thread thread_;
};
