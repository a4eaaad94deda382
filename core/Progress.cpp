#include "core/Progress.h"

#include "core/VectorState.h"

#include <algorithm>
#include <utility>

namespace {

thread_local TProgress* Running = nullptr;
thread_local bool Worker = false;

} // namespace

TProgress::TProgress(std::function<void(double)> report) : report_(std::move(report)) {}

TProgressScope::TProgressScope(TProgress* progress, bool worker) : outer_(Running), outerWorker_(Worker) {
    Running = progress;
    Worker = worker;
}

TProgressScope::~TProgressScope() {
    Running = outer_;
    Worker = outerWorker_;
}

TProgress* TProgressScope::Current() {
    return Running;
}

void ProgressBegin(std::size_t total) {
    // A long operation starts here, perhaps right after the GUI's code left the vector registers slow.
    ClearVectorUpperState();
    if (!Running || Worker)
        return;
    Running->done_.store(0, std::memory_order_relaxed);
    Running->total_.store(total, std::memory_order_relaxed);
}

void ProgressAdvance(std::size_t units) {
    TProgress* progress = Running;
    if (!progress)
        return;
    const std::size_t done = progress->done_.fetch_add(units, std::memory_order_relaxed) + units;
    // What report does may come back here; it hears of the progress once.
    if (!Worker && !progress->reporting_ && progress->report_) {
        const std::size_t total = progress->total_.load(std::memory_order_relaxed);
        progress->reporting_ = true;
        try {
            progress->report_(total == 0 ? 0.0 : std::min(1.0, static_cast<double>(done) / total));
        } catch (...) {
            progress->reporting_ = false;
            throw;
        }
        progress->reporting_ = false;
        // Reporting may have painted, and the operation goes on here.
        ClearVectorUpperState();
    }
    if (progress->Cancelled())
        throw ECancelled();
}
