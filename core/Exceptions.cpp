#include "Exceptions.h"

#include <cstring>

void RaiseListIndexError(long long value) {
    throw EListError("List index out of bounds (" + std::to_string(value) + ")");
}

void RaiseInOutError(std::string_view action, std::string_view path, int errorNumber) {
    std::string message = "Cannot ";
    message.append(action).append(" file \"").append(path).append("\"");
    if (errorNumber != 0)
        message.append(": ").append(std::strerror(errorNumber));
    throw EInOutError(message);
}
