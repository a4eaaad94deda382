#include "frame/ListSaver.h"

#include "core/BusinessLogicLayer.h"
#include "core/Exceptions.h"

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

void TListSaver::Request(TKeptSession session) {
    {
        const std::scoped_lock lock(mutex_);
        session_ = std::move(session);
        pending_ = true;
    }
    wake_.notify_all();
}

void TListSaver::Flush() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !pending_ && !busy_; });
}

std::optional<std::string> TListSaver::TakeFailure() {
    const std::scoped_lock lock(mutex_);
    return std::exchange(failure_, std::nullopt);
}

void TListSaver::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stop_; });
        if (!pending_)
            return;
        const TKeptSession session = std::move(session_);
        pending_ = false;
        busy_ = true;
        lock.unlock();
        std::optional<std::string> failure;
        try {
            Save(session);
        } catch (const std::exception& e) {
            failure = e.what();
        }
        lock.lock();
        busy_ = false;
        if (failure)
            failure_ = failure;
        done_.notify_all();
    }
}

void TListSaver::Save(const TKeptSession& session) {
    int count = 0;
    {
        const std::scoped_lock lists(listsLock_);
        count = layer_.ListCount();
        try {
            for (int i = 0; i < count; ++i)
                store_.Stage(i, layer_.GetList(i));
        } catch (...) {
            store_.Abandon();
            throw;
        }
    }
    // The lists are free again: flushing to disk needs only the files.
    store_.Commit(count, session);
}
