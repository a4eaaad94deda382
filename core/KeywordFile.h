#pragma once

#include "MemoryBudget.h"

#include <cstdio>
#include <string>
#include <string_view>

class TKeyItems;

// Splits keyword text into entries: LF or CR LF ends a line, every other CR is dropped, byte 26 ends the
// input, and a line end after the last line adds no empty entry. Feed it in chunks of any size.
class TKeywordTextParser {
public:
    explicit TKeywordTextParser(TKeyItems& list) : list_(list) {}
    // Returns false once byte 26 was seen: the rest of the input is to be ignored.
    bool Feed(std::string_view chunk);
    void Finish();

private:
    void AppendSegment(std::string_view segment);

    TKeyItems& list_;
    std::string pending_;
    bool pendingLine_ = false;
    bool ended_ = false;
};

// Appends the lines of a keyword text to the list.
void AppendKeywordText(std::string_view text, TKeyItems& list);
// Appends the lines of a keyword text file to the list; raises EInOutError when it can't be read or is no
// regular file, and EMemoryBudgetError, before adding anything, when its entries would need more than
// memoryBudget bytes.
void ReadKeywordFile(const std::string& path, TKeyItems& list,
                     std::size_t memoryBudget = DefaultMemoryBudget);

// Writes a keyword text file: every text followed by CR LF. A regular file is written beside the target and
// renamed over it only when everything was written, so a failed export never destroys the old file.
class TKeywordFileWriter {
public:
    explicit TKeywordFileWriter(std::string path);
    ~TKeywordFileWriter();
    TKeywordFileWriter(const TKeywordFileWriter&) = delete;
    TKeywordFileWriter& operator=(const TKeywordFileWriter&) = delete;

    void WriteLine(std::string_view text);
    // Flushes, closes and puts the file in place; raises EInOutError on any failure.
    void Commit();

private:
    static constexpr std::size_t BufferSize = 1 << 20;

    void Flush();
    void Fail(std::string_view action);

    std::string path_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
};
