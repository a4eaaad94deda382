#pragma once

#include "core/EntryFilter.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Runs the searches of a TEntryFilter on a thread of its own, one at a time, so that whoever asks never
// waits for one: a newer search abandons an older one, and only a search that completes is reported.
class TEntryFilterThread {
public:
    using TRows = std::shared_ptr<const TFilterRows>;
    // found(search, rows): the search of that number is complete; called on the thread, and no more for a
    // search that was abandoned before it completed.
    explicit TEntryFilterThread(std::function<void(std::uint64_t search, TRows rows)> found);
    ~TEntryFilterThread();
    TEntryFilterThread(const TEntryFilterThread&) = delete;
    TEntryFilterThread& operator=(const TEntryFilterThread&) = delete;

    // Starts a search of list for text, abandoning any other, and returns its number. The list must stay
    // unchanged until the search is reported or Stop has returned.
    std::uint64_t Search(const TKeyItems& list, std::string text);
    // The list is no longer the one the earlier searches read: the next search reuses none of their results.
    void ListChanged();
    // Abandons any search without waiting.
    void Cancel();
    // Abandons any search and returns once the thread reads no list.
    void Stop();

private:
    struct TRequest {
        const TKeyItems* List;
        std::string Text;
        bool ListChanged;
        std::uint64_t Number;
    };

    // With mutex_ held.
    void Abandon();
    void Run();
    // Runs one search to its end or until a newer number abandons it; its rows if it completed.
    TRows Complete(const TRequest& request);

    std::function<void(std::uint64_t, TRows)> found_;
    TEntryFilter filter_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::optional<TRequest> request_;
    // The number of the newest search, read by the running search to notice it is abandoned.
    std::atomic<std::uint64_t> newest_{0};
    // A list whose change the filter has not been told of yet.
    bool listChanged_ = false;
    bool busy_ = false;
    bool quit_ = false;
    std::thread thread_;
};
