#include "frame/ListSaver.h"

#include "core/BusinessLogicLayer.h"
#include "core/Exceptions.h"
#include "core/Progress.h"

#include <utility>

TListSaver::TListSaver(TListStore& store, const TBusinessLogicLayer& layer)
    : store_(store), layer_(layer), thread_([this] { Run(); }) {}

TListSaver::~TListSaver() {
    {
        const std::scoped_lock lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void TListSaver::Hold() {
    const std::scoped_lock lock(mutex_);
    held_ = true;
    giveUp_ = true;
}

void TListSaver::Request(TKeptSession session) {
    {
        const std::scoped_lock lock(mutex_);
        session_ = std::move(session);
        pending_ = true;
        held_ = false;
        requested_ = std::chrono::steady_clock::now();
    }
    wake_.notify_all();
}

void TListSaver::Flush() {
    std::unique_lock lock(mutex_);
    urgent_ = true;
    wake_.notify_all();
    done_.wait(lock, [this] { return !pending_ && !busy_; });
    urgent_ = false;
}

std::optional<std::string> TListSaver::TakeFailure() {
    const std::scoped_lock lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

bool TListSaver::MayStart(std::chrono::steady_clock::time_point& until) const {
    if (stop_ || urgent_)
        return true;
    until = requested_ + QuietTime;
    return !held_ && std::chrono::steady_clock::now() >= until;
}

void TListSaver::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stop_; });
        if (!pending_)
            return;
        if (std::chrono::steady_clock::time_point until; !MayStart(until)) {
            if (held_)
                wake_.wait(lock);
            else
                wake_.wait_until(lock, until);
            continue;
        }
        TKeptSession session = session_;
        pending_ = false;
        busy_ = true;
        giveUp_ = false;
        lock.unlock();
        std::optional<std::string> failure;
        bool done = false;
        try {
            done = Save(session);
        } catch (const std::exception& e) {
            failure = e.what();
        }
        lock.lock();
        busy_ = false;
        // Given up for a command, whose end asks again; unless a newer request came meanwhile, this one
        // still stands.
        if (!done && !failure && !pending_)
            pending_ = true;
        if (failure)
            failure_ = failure;
        done_.notify_all();
    }
}

bool TListSaver::Save(const TKeptSession& session) {
    int count = 0;
    {
        const std::scoped_lock lists(listsLock_);
        count = layer_.ListCount();
        try {
            for (int i = 0; i < count; ++i)
                store_.Stage(i, layer_.GetList(i), &giveUp_);
        } catch (const ECancelled&) {
            store_.Abandon();
            return false;
        } catch (...) {
            store_.Abandon();
            throw;
        }
    }
    // The lists are free again: flushing to disk needs only the files.
    store_.Commit(count, session);
    return true;
}
