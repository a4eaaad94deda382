#include "core/EntryFilterThread.h"

namespace {

// A search notices it is abandoned after at most this many entries, a few milliseconds of reading.
constexpr int StepRows = 1 << 18;

} // namespace

TEntryFilterThread::TEntryFilterThread(std::function<void(std::uint64_t, TRows)> found)
    : found_(std::move(found)), thread_([this] { Run(); }) {}

TEntryFilterThread::~TEntryFilterThread() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        ++newest_;
    }
    wake_.notify_one();
    thread_.join();
}

std::uint64_t TEntryFilterThread::Search(const TKeyItems& list, std::string text) {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(mutex_);
        number = ++newest_;
        // A change told with a search that never started holds for the search that replaces it.
        const bool listChanged = listChanged_ || (request_ && request_->ListChanged);
        listChanged_ = false;
        request_ = TRequest{&list, std::move(text), listChanged, number};
    }
    wake_.notify_one();
    return number;
}

void TEntryFilterThread::ListChanged() {
    const std::lock_guard lock(mutex_);
    listChanged_ = true;
}

void TEntryFilterThread::Cancel() {
    const std::lock_guard lock(mutex_);
    Abandon();
}

void TEntryFilterThread::Stop() {
    std::unique_lock lock(mutex_);
    Abandon();
    idle_.wait(lock, [this] { return !busy_; });
}

void TEntryFilterThread::Abandon() {
    ++newest_;
    if (request_ && request_->ListChanged)
        listChanged_ = true;
    request_.reset();
}

void TEntryFilterThread::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || request_; });
        if (quit_)
            return;
        const TRequest request = std::move(*request_);
        request_.reset();
        busy_ = true;
        lock.unlock();
        TRows rows = Complete(request);
        lock.lock();
        busy_ = false;
        idle_.notify_all();
        if (rows && newest_ == request.Number) {
            lock.unlock();
            found_(request.Number, std::move(rows));
            lock.lock();
        }
    }
}

TEntryFilterThread::TRows TEntryFilterThread::Complete(const TRequest& request) {
    filter_.Start(request.Text, request.ListChanged);
    while (!filter_.Advance(*request.List, StepRows))
        if (newest_ != request.Number)
            return nullptr;
    return filter_.Result();
}
