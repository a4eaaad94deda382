#include "core/Exceptions.h"

#include <cstring>

void RaiseListIndexError(long long value) {
    throw EListError("List index out of bounds (" + std::to_string(value) + ")");
}

void RaiseInOutError(std::string_view action, std::string_view path, int errorNumber) {
    RaiseInOutError(action, path, errorNumber != 0 ? std::string_view(std::strerror(errorNumber)) : "");
}

void RaiseInOutError(std::string_view action, std::string_view path, std::string_view reason) {
    std::string message = "Cannot ";
    message.append(action).append(" file \"").append(path).append("\"");
    if (!reason.empty())
        message.append(": ").append(reason);
    throw EInOutError(message);
}
