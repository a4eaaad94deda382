#pragma once

#include "core/Exceptions.h"

// A failure whose box shows another text (DisplayText) than the technical one that goes to the log (Message).
class ESimpleException : public Exception {
public:
    ESimpleException(std::string displayText, std::string message)
        : Exception(std::move(message)), DisplayText(std::move(displayText)) {}

    std::string DisplayText;
};
