#include "ui/CommandScope.h"

namespace {

// Tells the first count observers, last first, that the command ended.
void TellEnded(const std::vector<ICommandObserver*>& observers, std::size_t count) {
    while (count > 0)
        observers[--count]->CommandEnded();
}

} // namespace

TCommandScope::TCommandScope(TCommandBrackets& brackets) : brackets_(brackets) {
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
    if (--brackets_.depth_ == 0)
        TellEnded(brackets_.observers_, brackets_.observers_.size());
}
