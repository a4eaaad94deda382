#include "core/FillAhead.h"

#include "core/LargeBuffer.h"

namespace {

// Below this much, the owner's own page faults cost less than starting a thread.
constexpr std::size_t WorthAThread = std::size_t{64} << 20;
// Supplied a step at a time, so that a stop is heard soon.
constexpr std::size_t Step = std::size_t{2} << 20;

} // namespace

TFillAhead::TFillAhead(std::vector<std::pair<char*, std::size_t>> regions) {
    std::size_t total = 0;
    for (const auto& region : regions)
        total += region.second;
    if (total < WorthAThread || std::thread::hardware_concurrency() < 2)
        return;
    thread_ = std::thread([this, regions = std::move(regions)] {
        for (const auto& [start, bytes] : regions)
            for (std::size_t done = 0; done < bytes && !stop_.load(std::memory_order_relaxed); done += Step)
                LargeBuffer::Populate(start + done, std::min(Step, bytes - done));
    });
}

TFillAhead::~TFillAhead() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}
