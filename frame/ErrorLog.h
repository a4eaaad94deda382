#pragma once

#include <string>

// Path of the primary error log; empty until the settings are first loaded, and nothing is logged until then.
extern std::string ErrorLogPath;

// Appends one line for the message, with the checkpoint trail, to ErrorLogPath, else to "errors.txt" in the
// shared "Docs" folder; when both fail the line is dropped. Never raises.
void LogError(const std::string& message) noexcept;
