#pragma once

#include "core/Progress.h"
#include "core/VectorState.h"

#include <cstddef>
#include <exception>
#include <thread>
#include <utility>

// Long list operations split into two parts, one on a second thread, where the machine has two cores.

// Below this many entries a second thread costs more than it saves.
constexpr std::size_t ParallelFrom = 1 << 16;

inline unsigned PartsFor(std::size_t entries) {
    return entries >= ParallelFrom && std::thread::hardware_concurrency() > 1 ? 2 : 1;
}

// The entries [first, last) of one of parts equal parts.
inline std::pair<std::size_t, std::size_t> PartRange(std::size_t entries, unsigned part, unsigned parts) {
    return {entries * part / parts, entries * (part + 1) / parts};
}

// Runs work(part, parts) for each of parts (1 or 2) parts of a job, part 0 on a second thread; an exception
// of either part reaches the caller once both have ended. The second thread adds to the caller's progress.
template <class TWork> void RunParts(unsigned parts, TWork&& work) {
    // Whatever ran before (the GUI's code between a dialog and the command, say) may have left the vector
    // registers slow; a thread starts with its starter's.
    ClearVectorUpperState();
    if (parts < 2) {
        work(0u, 1u);
        return;
    }
    std::exception_ptr failure;
    TProgress* progress = TProgressScope::Current();
    std::thread helper([&] {
        const TProgressScope scope(progress, true);
        try {
            work(0u, 2u);
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        work(1u, 2u);
    } catch (...) {
        helper.join();
        throw;
    }
    helper.join();
    if (failure)
        std::rethrow_exception(failure);
}

// RunParts for a job over entries.
template <class TWork> void InParts(std::size_t entries, TWork&& work) {
    RunParts(PartsFor(entries), std::forward<TWork>(work));
}
