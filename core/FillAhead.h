#pragma once

#include <atomic>
#include <cstddef>
#include <thread>
#include <utility>
#include <vector>

// Has the system supply fresh storage on a second thread while its owner fills it from the start. Where the
// system clears pages slowly (on virtual machines about 0.5 GB/s, so that a list of several gigabytes spent
// more time waiting for its pages than making its entries), the clearing then runs beside the filling. The
// storage's content is never touched here: the system only maps pages that are not there yet.
class TFillAhead {
public:
    TFillAhead() = default;
    // regions: (start, bytes) of storage the owner is about to fill; too little to be worth a thread is left
    // to the owner.
    explicit TFillAhead(std::vector<std::pair<char*, std::size_t>> regions);
    TFillAhead(const TFillAhead&) = delete;
    TFillAhead& operator=(const TFillAhead&) = delete;
    // Stops supplying and waits for the thread: the owner may free the storage afterwards.
    ~TFillAhead();

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
