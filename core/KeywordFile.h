#pragma once

#include "core/MemoryBudget.h"
#include "core/TextEncoding.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

class TKeyItems;

// What the parser checks in each line before it becomes an entry.
enum class TLineCheck : std::uint8_t {
    // The text is known to be well-formed UTF-8.
    None,
    // Malformed UTF-8 is replaced by U+FFFD, and the line counted as damaged.
    RepairUtf8,
    // Decoded text: a line holding U+FFFD is counted as damaged.
    CountReplacements,
};

// Splits keyword text into entries: LF or CR LF ends a line, every other CR is dropped, byte 26 ends the
// input, and a line end after the last line adds no empty entry. Feed it in chunks of any size.
class TKeywordTextParser {
public:
    explicit TKeywordTextParser(TKeyItems& list, TLineCheck check = TLineCheck::None)
        : list_(list), check_(check) {}
    // Returns false once byte 26 was seen: the rest of the input is to be ignored.
    bool Feed(std::string_view chunk);
    void Finish();
    std::size_t DamagedLines() const { return damaged_; }

private:
    void AppendSegment(std::string_view segment);
    void Add(std::string_view text);

    TKeyItems& list_;
    TLineCheck check_;
    std::size_t damaged_ = 0;
    std::string repaired_;
    std::string pending_;
    bool pendingLine_ = false;
    bool ended_ = false;
};

// How to read a file that starts with no byte-order mark: Encoding, or when that is Automatic, UTF-8 if
// the bytes are UTF-8 and otherwise the Windows code page LegacyCodePage.
struct TImportChoice {
    TTextEncoding Encoding;
    int LegacyCodePage = 1252;
};

struct TImportResult {
    // What the file was read as.
    TTextEncoding Encoding;
    // Lines in which bytes that the encoding does not allow were replaced by U+FFFD.
    std::size_t DamagedLines = 0;
};

// Appends the lines of a keyword text file to the list; a byte-order mark decides the encoding unless the
// choice is a code page, otherwise the choice does. Raises EInOutError when it can't be read or is no regular
// file, and EMemoryBudgetError, before adding anything, when its entries would need more than memoryBudget
// bytes.
TImportResult ReadKeywordFile(const std::string& path, TKeyItems& list,
                              std::size_t memoryBudget = DefaultMemoryBudget,
                              const TImportChoice& choice = {});

// Writes a keyword text file: every text followed by CR LF, in the given encoding. A regular file is written
// beside the target and renamed over it only when everything was written, so a failed export never destroys
// the old file. A text the encoding cannot hold raises EEncodingError.
class TKeywordFileWriter {
public:
    explicit TKeywordFileWriter(std::string path, TTextEncoding encoding = {TEncoding::Utf8});
    ~TKeywordFileWriter();
    TKeywordFileWriter(const TKeywordFileWriter&) = delete;
    TKeywordFileWriter& operator=(const TKeywordFileWriter&) = delete;

    void WriteLine(std::string_view text) {
        // Most lines: straight into the buffer, without a call for each of millions of them.
        if (lines_ > 0 && encoder_.Plain() && !text.empty() && buffered_ + text.size() + 2 <= BufferSize) {
            ++lines_;
            char* const at = buffer_.get() + buffered_;
            std::memcpy(at, text.data(), text.size());
            at[text.size()] = '\r';
            at[text.size() + 1] = '\n';
            buffered_ += text.size() + 2;
            return;
        }
        WriteAnyLine(text);
    }
    // Flushes, closes and puts the file in place; raises EInOutError on any failure.
    void Commit();

private:
    static constexpr std::size_t BufferSize = 1 << 20;
    // Written bytes handed to the disk at a time.
    static constexpr std::size_t WritebackStep = std::size_t{8} << 20;

    void WriteAnyLine(std::string_view text);
    // Buffers bytes followed by end.
    void Put(std::string_view bytes, std::string_view end);
    void Flush();
    void Write(std::string_view bytes);
    void Fail(std::string_view action);

    std::string path_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    // Lines gather here: two library calls for each of millions of short lines cost more than the writing.
    std::unique_ptr<char[]> buffer_ = std::make_unique_for_overwrite<char[]>(BufferSize);
    std::size_t buffered_ = 0;
    TTextEncoder encoder_;
    std::string encoded_;
    std::size_t lines_ = 0;
    std::size_t written_ = 0;
    // The bytes before this have been handed to the disk.
    std::size_t handedOver_ = 0;
};
