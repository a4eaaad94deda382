#pragma once

#include "frame/ListStore.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class TBusinessLogicLayer;

// Saves the lists on a thread of its own, so the window never waits for the disk. The thread reads the
// lists only while it holds ListsLock; whoever changes a list must hold it too, and says so first with Hold,
// which makes a save that is reading the lists give up at once. A save starts only once no command has run
// for a quiet while, so commands that follow one another never share the processor with it. A save that
// is asked for while another runs is folded into the next one.
class TListSaver {
public:
    TListSaver(TListStore& store, const TBusinessLogicLayer& layer);
    // Finishes the save asked for last.
    ~TListSaver();
    TListSaver(const TListSaver&) = delete;
    TListSaver& operator=(const TListSaver&) = delete;

    // How long the lists must stay untouched before a save starts.
    static constexpr std::chrono::milliseconds QuietTime{300};

    std::timed_mutex& ListsLock() { return listsLock_; }

    // About to take ListsLock to change the lists: no save starts until the next Request, and one that
    // is reading the lists drops what it staged and lets the lock go.
    void Hold();
    // Every list that changed since the last save is written, once the lists were quiet for QuietTime.
    void Request(TKeptSession session);
    // Saves what was asked for without waiting for quiet, and waits until it is done.
    void Flush();
    // The reason of the last failed save, once.
    std::optional<std::string> TakeFailure();

private:
    void Run();
    // Whether a save may start now; otherwise, until when to wait at least.
    bool MayStart(std::chrono::steady_clock::time_point& until) const;
    // False when it gave up.
    bool Save(const TKeptSession& session);

    TListStore& store_;
    const TBusinessLogicLayer& layer_;
    std::timed_mutex listsLock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    bool pending_ = false;
    bool busy_ = false;
    bool stop_ = false;
    bool held_ = false;
    bool urgent_ = false;
    std::chrono::steady_clock::time_point requested_;
    std::atomic<bool> giveUp_ = false;
    TKeptSession session_;
    std::optional<std::string> failure_;
    std::thread thread_;
};
