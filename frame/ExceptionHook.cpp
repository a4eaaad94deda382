#include "frame/ExceptionHook.h"

namespace {
TExceptionHook& Hook() {
    static TExceptionHook hook;
    return hook;
}
} // namespace

void SetApplicationExceptionHook(TExceptionHook hook) {
    Hook() = std::move(hook);
}

void RaiseToApplicationHook(std::exception_ptr error) {
    if (Hook())
        Hook()(error);
}

bool ApplicationExceptionHookSet() {
    return static_cast<bool>(Hook());
}
