#include "frame/ErrorLog.h"

#include "core/CheckpointTrail.h"
#include "frame/Files.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cstdio>

namespace {

std::string LocalDateTime() {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return (locale.toString(now.date(), QLocale::ShortFormat) + ' ' +
            locale.toString(now.time(), QLocale::LongFormat))
        .toStdString();
}

std::string LogLine(const std::string& message) {
    if (message.empty())
        return message;
    std::string text = message;
    std::replace(text.begin(), text.end(), '"', '\'');
    return "<Log DateTime=\"" + LocalDateTime() + "\" App=\"\" Computer=\"" + ComputerName() +
           "\" Login=\"\" ErrorGUID=\"" + TrailText() + "\" ErrorMessage=\"" + text + "\" />";
}

bool AppendLine(const std::string& path, const std::string& line) {
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file)
        return false;
    const bool written =
        std::fwrite(line.data(), 1, line.size(), file) == line.size() && std::fwrite("\r\n", 1, 2, file) == 2;
    return std::fclose(file) == 0 && written;
}

} // namespace

void TErrorLog::Write(const std::string& message) const noexcept {
    try {
        if (path_.empty())
            return;
        const std::string line = LogLine(message);
        if (!AppendLine(path_, line))
            AppendLine(SharedDataFolder("Docs", true) + "errors.txt", line);
    } catch (...) {
        // The log is the last resort of error reporting: a failure to write it has nowhere left to go.
    }
}
