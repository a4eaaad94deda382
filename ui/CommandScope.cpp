#include "CommandScope.h"

namespace {
ICommandObserver* Observer = nullptr;
int Depth = 0;
} // namespace

void SetCommandObserver(ICommandObserver* observer) {
    Observer = observer;
}

TCommandScope::TCommandScope() {
    if (Depth++ == 0 && Observer)
        Observer->CommandStarting();
}

TCommandScope::~TCommandScope() {
    if (--Depth == 0 && Observer)
        Observer->CommandEnded();
}

bool TCommandScope::Running() {
    return Depth > 0;
}
