#include "ui/CommandScope.h"

namespace {
ICommandObserver* Observer = nullptr;
int Depth = 0;
} // namespace

void SetCommandObserver(ICommandObserver* observer) {
    Observer = observer;
}

TCommandScope::TCommandScope() {
    if (Depth++ != 0 || !Observer)
        return;
    try {
        Observer->CommandStarting();
    } catch (...) {
        --Depth;
        throw;
    }
}

TCommandScope::~TCommandScope() {
    if (--Depth == 0 && Observer)
        Observer->CommandEnded();
}

bool TCommandScope::Running() {
    return Depth > 0;
}
