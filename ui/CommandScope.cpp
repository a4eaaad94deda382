#include "ui/CommandScope.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// A moment without commands after which the storage that they left kept goes back to the system; without
// an event loop to wait for it, the storage goes back at the end of each command.
constexpr int LingerMs = 1000;

LargeBuffer::TKeptAfter KeptAfterCommands() {
    return QCoreApplication::instance() ? LargeBuffer::TKeptAfter::Linger : LargeBuffer::TKeptAfter::Release;
}

// Tells the first count observers, last first, that the command ended.
void TellEnded(const std::vector<ICommandObserver*>& observers, std::size_t count) {
    while (count > 0)
        observers[--count]->CommandEnded();
}

} // namespace

TCommandScope::TCommandScope(TCommandBrackets& brackets) : brackets_(brackets), reuse_(KeptAfterCommands()) {
    if (brackets_.depth_++ != 0)
        return;
    std::size_t told = 0;
    try {
        for (; told < brackets_.observers_.size(); ++told)
            brackets_.observers_[told]->CommandStarting();
    } catch (...) {
        // The command does not run: those that heard it start hear it end.
        --brackets_.depth_;
        TellEnded(brackets_.observers_, told);
        throw;
    }
}

TCommandScope::~TCommandScope() {
    if (--brackets_.depth_ != 0)
        return;
    TellEnded(brackets_.observers_, brackets_.observers_.size());
    if (!QCoreApplication::instance())
        return;
    // Only the timer of the command that ended last gives the storage back.
    static unsigned lastEnded = 0;
    QTimer::singleShot(LingerMs, [ended = ++lastEnded] {
        if (ended == lastEnded)
            LargeBuffer::ReleaseKept();
    });
}
