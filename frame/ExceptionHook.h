#pragma once

#include <exception>
#include <functional>

// The application's handler for exceptions that escape an event handler. The application object passes every
// such exception here and goes on running; the exception handler of the frame installs itself.
using TExceptionHook = std::function<void(std::exception_ptr)>;

void SetApplicationExceptionHook(TExceptionHook hook);
// Hands the exception to the installed hook; without one, it is dropped.
void RaiseToApplicationHook(std::exception_ptr error);
bool ApplicationExceptionHookSet();

// Runs a handler of ours that the toolkit calls and hands whatever it raises to the hook. The toolkit's own
// frames are not built to be unwound: an exception passing through them would skip their clean-up and leave
// their state behind.
template <class THandler> void CallReportingFailures(THandler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        try {
            RaiseToApplicationHook(std::current_exception());
        } catch (...) {
            // The handler itself failed: nothing is left to report to, and the toolkit must go on.
        }
    }
}
