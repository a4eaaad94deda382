#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <functional>

// Raised inside a long operation once its progress was cancelled; what the operation changed so far is left
// for the caller to put back.
class ECancelled : public std::exception {
public:
    const char* what() const noexcept override { return "Cancelled"; }
};

// How far a long operation has come, and whether it is to stop. The thread that made it runs the operation
// and hears of the progress; the threads the operation starts only add their work and read the flag.
class TProgress {
public:
    // report(fraction done) runs on the making thread after each piece of work done there.
    explicit TProgress(std::function<void(double)> report);

    // From any thread, also from within report.
    void Cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool Cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

private:
    friend class TProgressScope;
    friend void ProgressBegin(std::size_t total);
    friend void ProgressAdvance(std::size_t units);

    std::function<void(double)> report_;
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<bool> cancelled_{false};
    bool reporting_ = false;
};

// Makes a progress the one this thread's operations report to, until the scope closes; null makes none.
// A thread an operation starts takes its starter's progress with worker set: it reports nothing itself.
class TProgressScope {
public:
    explicit TProgressScope(TProgress* progress, bool worker = false);
    ~TProgressScope();
    TProgressScope(const TProgressScope&) = delete;
    TProgressScope& operator=(const TProgressScope&) = delete;

    // This thread's progress, or null.
    static TProgress* Current();

private:
    TProgress* outer_;
    bool outerWorker_;
};

// An operation about to do total units of work; what it did before counts no more. Nothing without a
// progress.
void ProgressBegin(std::size_t total);
// Units of work done; raises ECancelled once the progress was cancelled.
void ProgressAdvance(std::size_t units);

// Counts the elements a loop has gone through, reporting them a step of elements at a time.
class TProgressSteps {
public:
    explicit TProgressSteps(std::size_t step = 1 << 14) : step_(step) {}

    void Element() {
        if (++count_ == step_) {
            count_ = 0;
            ProgressAdvance(step_);
        }
    }

private:
    std::size_t step_;
    std::size_t count_ = 0;
};
