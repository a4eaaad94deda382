#include "KeywordFile.h"

#include "Exceptions.h"
#include "KeyItems.h"
#include "MemoryBudget.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char EndOfInput = '\x1a';
constexpr std::size_t ChunkSize = 1 << 20;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string WithoutCarriageReturns(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != CarriageReturn)
            result += c;
    return result;
}

// Lines in the file, a line end after the last one making none: what reading it will add, but for a byte 26
// that ends it early.
std::size_t CountLines(std::FILE* file, std::string& buffer) {
    std::size_t count = 0;
    std::size_t got;
    char last = LineFeed;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        count += static_cast<std::size_t>(std::count(buffer.data(), buffer.data() + got, LineFeed));
        last = buffer[got - 1];
    }
    return count + (last != LineFeed);
}

// Only a regular file is read: a device such as /dev/zero never ends, and opening a pipe would wait for a
// writer, so neither is waited on.
FileHandle OpenToRead(const std::string& path, struct stat& info) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    FileHandle file(fd >= 0 ? fdopen(fd, "rb") : nullptr);
    if (!file) {
        const int error = errno;
        if (fd >= 0)
            close(fd);
        RaiseInOutError("open", path, error);
    }
    if (fstat(fd, &info) != 0)
        RaiseInOutError("open", path, errno);
    if (S_ISDIR(info.st_mode))
        RaiseInOutError("open", path, EISDIR);
    if (!S_ISREG(info.st_mode))
        RaiseInOutError("read", path, "it is a device or a pipe, not a file");
    return file;
}

} // namespace

bool TKeywordTextParser::Feed(std::string_view chunk) {
    if (ended_)
        return false;
    if (const auto stop = chunk.find(EndOfInput); stop != std::string_view::npos) {
        chunk = chunk.substr(0, stop);
        ended_ = true;
    }
    std::size_t start = 0;
    for (std::size_t lf; (lf = chunk.find(LineFeed, start)) != std::string_view::npos; start = lf + 1) {
        const std::string_view segment = chunk.substr(start, lf - start);
        if (!pendingLine_) {
            // The usual line: no CR, or only the CR of a CR LF line end.
            const std::string_view text =
                segment.ends_with(CarriageReturn) ? segment.substr(0, segment.size() - 1) : segment;
            if (text.find(CarriageReturn) == std::string_view::npos) {
                list_.AddKeyword(text);
                continue;
            }
        }
        AppendSegment(segment);
        list_.AddKeyword(pending_);
        pending_.clear();
        pendingLine_ = false;
    }
    if (start < chunk.size()) {
        AppendSegment(chunk.substr(start));
        pendingLine_ = true;
    }
    return !ended_;
}

void TKeywordTextParser::AppendSegment(std::string_view segment) {
    if (segment.find(CarriageReturn) != std::string_view::npos)
        pending_ += WithoutCarriageReturns(segment);
    else
        pending_.append(segment);
}

void TKeywordTextParser::Finish() {
    if (pendingLine_)
        list_.AddKeyword(pending_);
    pending_.clear();
    pendingLine_ = false;
}

void AppendKeywordText(std::string_view text, TKeyItems& list) {
    TKeywordTextParser parser(list);
    parser.Feed(text);
    parser.Finish();
}

void ReadKeywordFile(const std::string& path, TKeyItems& list, std::size_t memoryBudget) {
    struct stat info {};
    const FileHandle file = OpenToRead(path, info);
    // The texts alone may be too much already: then the file is refused before it is read at all.
    TGrowth growth;
    growth.AddBytes(static_cast<std::uint64_t>(info.st_size));
    growth.Check(list.Count(), memoryBudget);
    // A small file needs no large buffer; files whose size the system doesn't know get a fair one.
    std::string buffer(
        std::clamp<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, 1 << 16, ChunkSize), '\0');
    const std::size_t lines = CountLines(file.get(), buffer);
    if (std::ferror(file.get()))
        RaiseInOutError("read", path, errno);
    growth.AddEntries(lines, 0);
    growth.Check(list.Count(), memoryBudget);
    list.Reserve(lines, static_cast<std::size_t>(info.st_size));
    std::rewind(file.get());
    TKeywordTextParser parser(list);
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file.get())) > 0)
        if (!parser.Feed(std::string_view(buffer.data(), got)))
            break;
    if (std::ferror(file.get()))
        RaiseInOutError("read", path, errno);
    parser.Finish();
}

TKeywordFileWriter::TKeywordFileWriter(std::string path) : path_(std::move(path)) {
    struct stat target {};
    const bool exists = stat(path_.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) {
        // Devices and pipes are written in place: there is nothing to replace atomically. A pipe that nobody
        // reads is refused at once instead of waited on.
        const int fd = open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            RaiseInOutError("create", path_, errno);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        file_ = fdopen(fd, "wb");
        if (!file_) {
            const int error = errno;
            close(fd);
            RaiseInOutError("create", path_, error);
        }
        return;
    }
    tempPath_ = path_ + ".XXXXXX";
    const int fd = mkstemp(tempPath_.data());
    if (fd < 0)
        RaiseInOutError("create", path_, errno);
    mode_t mode = 0;
    if (exists) {
        mode = target.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    fchmod(fd, mode);
    file_ = fdopen(fd, "wb");
    if (!file_) {
        const int error = errno;
        close(fd);
        unlink(tempPath_.c_str());
        RaiseInOutError("create", path_, error);
    }
}

TKeywordFileWriter::~TKeywordFileWriter() {
    if (file_)
        std::fclose(file_);
    if (!tempPath_.empty())
        unlink(tempPath_.c_str());
}

void TKeywordFileWriter::WriteLine(std::string_view text) {
    // Lines gather in a buffer of our own: two library calls for each of millions of short lines cost more
    // than the writing.
    if (buffer_.size() + text.size() + 2 > BufferSize)
        Flush();
    if (text.size() + 2 > BufferSize) {
        if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
            Fail("write");
        text = {};
    }
    buffer_.append(text).append("\r\n");
}

void TKeywordFileWriter::Flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
        Fail("write");
    buffer_.clear();
}

void TKeywordFileWriter::Commit() {
    Flush();
    if (std::fflush(file_) != 0 || (!tempPath_.empty() && fsync(fileno(file_)) != 0))
        Fail("write");
    std::FILE* file = std::exchange(file_, nullptr);
    if (std::fclose(file) != 0)
        Fail("close");
    if (!tempPath_.empty()) {
        if (std::rename(tempPath_.c_str(), path_.c_str()) != 0)
            Fail("replace");
        tempPath_.clear();
    }
}

void TKeywordFileWriter::Fail(std::string_view action) {
    const int error = errno;
    if (file_)
        std::fclose(std::exchange(file_, nullptr));
    if (!tempPath_.empty())
        unlink(std::exchange(tempPath_, std::string()).c_str());
    RaiseInOutError(action, path_, error);
}
