#pragma once

#include <exception>
#include <string>
#include <string_view>

// Common base of every failure the program raises; Message is the technical text (UTF-8) that goes to the
// log.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

// A list index, count or capacity out of range.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// "List index out of bounds (%d)".
[[noreturn]] void RaiseListIndexError(long long value);

// A file could not be created, written, read or closed.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Builds the input/output error for a failed file operation, naming the path and the system's reason.
[[noreturn]] void RaiseInOutError(std::string_view action, std::string_view path, int errorNumber);
// The same with a reason of the program's own.
[[noreturn]] void RaiseInOutError(std::string_view action, std::string_view path, std::string_view reason);
