#pragma once

#include <string>
#include <utility>

// The primary error log: a file that gets one line per message, with the checkpoint trail. Until it has a
// path nothing is logged.
class TErrorLog {
public:
    void SetPath(std::string path) { path_ = std::move(path); }
    const std::string& Path() const { return path_; }

    // Appends the line to the log's file, else to "errors.txt" in the shared "Docs" folder; when both fail
    // the line is dropped. Never raises.
    void Write(const std::string& message) const noexcept;

private:
    std::string path_;
};
