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
