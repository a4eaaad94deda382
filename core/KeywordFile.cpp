#include "core/KeywordFile.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/MemoryBudget.h"
#include "core/Progress.h"
#include "core/Simd16.h"
#include "core/TwoThreads.h"
#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr char LineFeed = '\n';
constexpr char CarriageReturn = '\r';
constexpr char EndOfInput = '\x1a';
constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::size_t ChunkSize = 1 << 20;
// From this size on a file is read on two threads.
constexpr std::size_t LongFile = 1 << 22;

// Closes the file it holds when it goes.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    TFileDescriptor(TFileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~TFileDescriptor() {
        if (fd_ >= 0)
            close(fd_);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

    int Get() const { return fd_; }

private:
    int fd_;
};

std::string WithoutCarriageReturns(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text)
        if (c != CarriageReturn)
            result += c;
    return result;
}

// Up to the end of the file.
constexpr std::size_t ToEnd = static_cast<std::size_t>(-1);

// An open keyword file and the size of buffer that suits it.
struct TSource {
    int Fd;
    const std::string& Path;
    std::size_t Buffer;
};

// Reads the bytes of the file from offset from up to offset to, or its end, at most capacity at a time, each
// to where(offset), and calls take(chunk) with them until take returns false. Reading by offset lets two
// threads read two parts of one file.
template <class TWhere, class TTake>
void ReadChunks(const TSource& file, std::size_t from, std::size_t to, std::size_t capacity, TWhere where,
                TTake&& take) {
    for (std::size_t offset = from; offset < to;) {
        char* const buffer = where(offset);
        const ssize_t got =
            pread(file.Fd, buffer, std::min(capacity, to - offset), static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            RaiseInOutError("read", file.Path, errno);
        if (got == 0 || !take(std::string_view(buffer, static_cast<std::size_t>(got))))
            return;
        offset += static_cast<std::size_t>(got);
        ProgressAdvance(static_cast<std::size_t>(got));
    }
}

// ReadChunks through a buffer of the file's own size.
template <class TTake> void ReadRange(const TSource& file, std::size_t from, std::size_t to, TTake&& take) {
    const std::size_t capacity = std::min(file.Buffer, to - from);
    const auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    ReadChunks(
        file, from, to, capacity, [&](std::size_t) { return buffer.get(); }, take);
}

// What a first reading of a part of the file finds: its lines (when it runs to the end, a line end after
// the last line makes none) and whether it is UTF-8.
struct TSurvey {
    std::size_t Lines = 0;
    TUtf8Check Utf8;
};

TSurvey SurveyRange(const TSource& file, std::size_t from, std::size_t to) {
    TSurvey survey;
    char last = LineFeed;
    ReadRange(file, from, to, [&](std::string_view chunk) {
        survey.Lines += Simd16::Count(chunk, LineFeed);
        survey.Utf8.Feed(chunk);
        last = chunk.back();
        return true;
    });
    survey.Utf8.Finish();
    survey.Lines += to == ToEnd && last != LineFeed;
    return survey;
}

// Text with a few malformed sequences among many good ones is damaged UTF-8; without that evidence the
// high bytes are a single-byte code page's.
bool LooksLikeUtf8(const std::array<TSurvey, 2>& surveys) {
    std::uint64_t sequences = 0, malformed = 0;
    for (const TSurvey& survey : surveys) {
        sequences += survey.Utf8.Sequences();
        malformed += survey.Utf8.MalformedBytes();
    }
    return malformed == 0 || sequences > malformed;
}

// How the bytes of a file become entries: a code page's bytes are decoded a chunk at a time, which a split
// at a line end cannot disturb since every code page keeps ASCII as it is.
struct TDecoding {
    std::optional<TCodePageDecoder> CodePage;
    TLineCheck Check = TLineCheck::None;
};

struct TParsed {
    // False when byte 26 ended the input.
    bool GoesOn = true;
    std::size_t DamagedLines = 0;
};

// Where the line after the middle of the file begins, or ToEnd when no line begins in its second half. A
// page at a time: lines are short.
std::size_t SecondHalf(const TSource& file, std::size_t size) {
    const TSource pages{file.Fd, file.Path, 1 << 12};
    std::size_t at = size / 2;
    std::size_t found = ToEnd;
    ReadRange(pages, at, ToEnd, [&](std::string_view chunk) {
        if (const auto lf = chunk.find(LineFeed); lf != std::string_view::npos) {
            found = at + lf + 1;
            return false;
        }
        at += chunk.size();
        return true;
    });
    return found < size ? found : ToEnd;
}

// Where a long file is split for two threads, or ToEnd.
std::size_t SplitFor(const TSource& file, std::size_t size) {
    return size >= LongFile && PartsFor(ParallelFrom) == 2 ? SecondHalf(file, size) : ToEnd;
}

// What reading a part of a file straight into the list's storage finds.
struct TStoredPart {
    std::size_t Bytes = 0;
    // Line ends, and for the file's last part an unended last line.
    std::size_t Lines = 0;
    std::size_t CarriageReturns = 0;
    // Of them, those of CR LF line ends.
    std::size_t LineEndReturns = 0;
    bool EndOfInput = false;
    TUtf8Check Utf8;
};

// Reads the bytes [from, to) of the file to at, surveying each chunk while it is in cache.
TStoredPart ReadStoredPart(const TSource& file, std::size_t from, std::size_t to, char* at, bool last) {
    TStoredPart part;
    ReadChunks(
        file, from, to, ChunkSize, [&](std::size_t offset) { return at + (offset - from); },
        [&](std::string_view chunk) {
            part.Lines += Simd16::Count(chunk, LineFeed);
            if (chunk.find(CarriageReturn) != chunk.npos) {
                part.CarriageReturns += Simd16::Count(chunk, CarriageReturn);
                part.LineEndReturns += Simd16::CountFollowed(chunk, CarriageReturn, LineFeed);
            }
            // A CR LF across two chunks: the chunk before lies right before this one.
            part.LineEndReturns +=
                part.Bytes > 0 && chunk[0] == LineFeed && chunk.data()[-1] == CarriageReturn;
            part.EndOfInput = part.EndOfInput || chunk.find(EndOfInput) != chunk.npos;
            part.Utf8.Feed(chunk);
            part.Bytes += chunk.size();
            return true;
        });
    part.Utf8.Finish();
    part.Lines += last && part.Bytes > 0 && at[part.Bytes - 1] != LineFeed;
    return part;
}

// A line's length once its CRs are dropped, as the parser drops them.
std::size_t DropCarriageReturns(char* text, std::size_t size) {
    if (!std::memchr(text, CarriageReturn, size))
        return size;
    return static_cast<std::size_t>(std::remove(text, text + size, CarriageReturn) - text);
}

// Sets rows to the lines of a part where they lie; returns the bytes of their texts.
std::size_t StoreLines(char* text, const TStoredPart& part, TKeyItem* rows) {
    // Most files have no CRs, or those of CR LF line ends only.
    const bool lineEndsOnly = part.CarriageReturns == part.LineEndReturns;
    std::size_t bytes = 0;
    std::size_t start = 0;
    std::size_t reported = 0;
    const auto store = [&](std::size_t end) {
        std::size_t length = end - start;
        if (!lineEndsOnly)
            length = DropCarriageReturns(text + start, length);
        else if (length > 0 && text[end - 1] == CarriageReturn)
            --length;
        *rows++ = TKeyItem::Stored(text + start, length);
        bytes += length;
        start = end + 1;
        if (start - reported >= ChunkSize)
            ProgressAdvance(start - std::exchange(reported, start));
    };
    Simd16::ForEach({text, part.Bytes}, LineFeed, store);
    if (start < part.Bytes)
        store(part.Bytes);
    if (part.Bytes > reported)
        ProgressAdvance(part.Bytes - reported);
    return bytes;
}

// Reads well-formed UTF-8 (the bytes from offset from on) straight into the list's storage and makes its
// lines entries where they lie: one read and no copy. False, with the list as it was, when the file needs
// more (malformed bytes, byte 26) or changed its size meanwhile.
bool ReadStored(const TSource& file, std::size_t from, std::size_t size, TKeyItems& list, TGrowth growth,
                std::size_t memoryBudget) {
    const std::size_t bytes = size - from;
    char* const room = list.TextRoom(bytes);
    const std::size_t split = SplitFor(file, size);
    const unsigned parts = split == ToEnd ? 1 : 2;
    const std::array<std::size_t, 3> bounds{from, split == ToEnd ? size : split, size};
    std::array<TStoredPart, 2> read{};
    RunParts(parts, [&](unsigned part, unsigned) {
        read[part] = ReadStoredPart(file, bounds[part], bounds[part + 1], room + (bounds[part] - from),
                                    part + 1 == parts);
    });
    char beyond = 0;
    if (pread(file.Fd, &beyond, 1, static_cast<off_t>(size)) != 0)
        return false;
    for (unsigned part = 0; part < parts; ++part)
        if (read[part].Bytes != bounds[part + 1] - bounds[part] || read[part].EndOfInput ||
            !read[part].Utf8.Valid())
            return false;
    growth.AddEntries(read[0].Lines + read[1].Lines, 0);
    growth.Check(list.Count(), memoryBudget);
    list.AddStored(read[0].Lines + read[1].Lines, bytes, [&](TKeyItem* rows) {
        std::array<std::size_t, 2> texts{};
        RunParts(parts, [&](unsigned part, unsigned) {
            texts[part] =
                StoreLines(room + (bounds[part] - from), read[part], rows + (part == 0 ? 0 : read[0].Lines));
        });
        return texts[0] + texts[1];
    });
    return true;
}

// Adds the lines of a part of the file to the list.
TParsed ParseRange(const TSource& file, std::size_t from, std::size_t to, TKeyItems& list,
                   const TDecoding& decoding) {
    TKeywordTextParser parser(list, decoding.Check);
    bool goesOn = true;
    std::string decoded;
    ReadRange(file, from, to, [&](std::string_view chunk) {
        if (decoding.CodePage) {
            decoded.clear();
            decoding.CodePage->Decode(chunk, decoded);
            chunk = decoded;
        }
        return goesOn = parser.Feed(chunk);
    });
    parser.Finish();
    return {goesOn, parser.DamagedLines()};
}

// Calls take(text) with the UTF-8 of a UTF-16 file from offset from, a buffer at a time, until take
// returns false.
template <class TTake>
void ReadUtf16Range(const TSource& file, std::size_t from, bool bigEndian, TTake&& take) {
    TUtf16Decoder decoder(bigEndian);
    std::string text;
    bool goesOn = true;
    ReadRange(file, from, ToEnd, [&](std::string_view chunk) {
        text.clear();
        decoder.Decode(chunk, text);
        return goesOn = take(std::string_view(text));
    });
    if (goesOn) {
        text.clear();
        decoder.Finish(text);
        take(std::string_view(text));
    }
}

// UTF-16 is decoded twice on one thread, to count and to parse: such files are rare and seldom large.
TImportResult ReadUtf16(const TSource& file, std::size_t from, TEncoding kind, TKeyItems& list,
                        TGrowth growth, std::size_t memoryBudget) {
    const bool bigEndian = kind == TEncoding::Utf16BE;
    std::size_t lines = 0;
    std::size_t bytes = 0;
    char last = LineFeed;
    ReadUtf16Range(file, from, bigEndian, [&](std::string_view text) {
        lines += Simd16::Count(text, LineFeed);
        bytes += text.size();
        if (!text.empty())
            last = text.back();
        return true;
    });
    lines += last != LineFeed;
    growth.AddBytes(bytes);
    growth.AddEntries(lines, 0);
    growth.Check(list.Count(), memoryBudget);
    list.Reserve(lines, bytes);
    TKeywordTextParser parser(list, TLineCheck::CountReplacements);
    ReadUtf16Range(file, from, bigEndian, [&](std::string_view text) { return parser.Feed(text); });
    parser.Finish();
    return {{kind}, parser.DamagedLines()};
}

std::string FirstBytes(const TSource& file, std::size_t count) {
    std::string bytes;
    ReadRange(file, 0, count, [&](std::string_view chunk) {
        bytes.append(chunk);
        return true;
    });
    return bytes;
}

// Only a regular file is read: a device such as /dev/zero never ends, and opening a pipe would wait for a
// writer, so neither is waited on.
TFileDescriptor OpenToRead(const std::string& path, struct stat& info) {
    TFileDescriptor file(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseInOutError("open", path, errno);
    if (fstat(file.Get(), &info) != 0)
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
                Add(text);
                continue;
            }
        }
        AppendSegment(segment);
        Add(pending_);
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

void TKeywordTextParser::Add(std::string_view text) {
    if (check_ == TLineCheck::RepairUtf8 && !Utf8::IsValid(text)) {
        ++damaged_;
        repaired_ = RepairedUtf8(text);
        text = repaired_;
    } else if (check_ == TLineCheck::CountReplacements &&
               text.find("\xEF\xBF\xBD") != std::string_view::npos) {
        ++damaged_;
    }
    list_.AddKeyword(text);
}

void TKeywordTextParser::Finish() {
    if (pendingLine_)
        Add(pending_);
    pending_.clear();
    pendingLine_ = false;
}

TImportResult ReadKeywordFile(const std::string& path, TKeyItems& list, std::size_t memoryBudget,
                              const TImportChoice& choice) {
    struct stat info {};
    const TFileDescriptor handle = OpenToRead(path, info);
    const auto size = static_cast<std::size_t>(info.st_size);
    // A small file needs no large buffer; files whose size the system doesn't know get a fair one.
    const TSource file{handle.Get(), path, std::clamp<std::size_t>(size + 1, 1 << 16, ChunkSize)};
    // The texts alone may be too much already: then the file is refused before it is read at all.
    TGrowth growth;
    growth.AddBytes(size);
    growth.Check(list.Count(), memoryBudget);
    // A code page the user picked is taken at its word: its bytes may well start like a mark ("яю" in
    // Windows-1251 is FF FE).
    const TByteOrderMark mark = choice.Encoding.Kind == TEncoding::CodePage
                                    ? TByteOrderMark{}
                                    : FindByteOrderMark(FirstBytes(file, 3));
    TTextEncoding encoding = mark.Kind == TEncoding::Automatic ? choice.Encoding : TTextEncoding{mark.Kind};
    if (encoding.Kind == TEncoding::Utf8WithMark)
        encoding.Kind = TEncoding::Utf8;
    // Other files are read twice: once to count and check, once to parse, or to make entries of the texts
    // read.
    const bool utf16 = encoding.Kind == TEncoding::Utf16LE || encoding.Kind == TEncoding::Utf16BE;
    ProgressBegin(utf16 ? size : 2 * size);
    if (utf16)
        return ReadUtf16(file, mark.Length, encoding.Kind, list, growth, memoryBudget);
    const std::size_t from = mark.Length;
    if (encoding.Kind == TEncoding::Automatic || encoding.Kind == TEncoding::Utf8) {
        if (ReadStored(file, from, size, list, growth, memoryBudget))
            return {encoding.Kind == TEncoding::Automatic ? TTextEncoding{TEncoding::Utf8} : encoding, 0};
        ProgressBegin(2 * size);
    }
    // A long file is counted and read in two halves, each on a thread of its own, the second from the line
    // after the middle; its entries go to a list of their own until the first half is in.
    const std::size_t split = SplitFor(file, size);
    const unsigned parts = split == ToEnd ? 1 : 2;
    std::array<TSurvey, 2> surveys{};
    RunParts(parts, [&](unsigned part, unsigned) {
        surveys[part] = part == 0 ? SurveyRange(file, from, split) : SurveyRange(file, split, ToEnd);
    });
    if (encoding.Kind == TEncoding::Automatic)
        encoding = LooksLikeUtf8(surveys) ? TTextEncoding{TEncoding::Utf8}
                                          : TTextEncoding{TEncoding::CodePage, choice.LegacyCodePage};
    const bool utf8 = encoding.Kind == TEncoding::Utf8;
    // A malformed byte becomes the three bytes of U+FFFD; a code page's byte at most three bytes.
    const auto growthOf = [&](const TSurvey& survey) {
        return 2 * static_cast<std::size_t>(utf8 ? survey.Utf8.MalformedBytes() : survey.Utf8.HighBytes());
    };
    growth.AddBytes(growthOf(surveys[0]) + growthOf(surveys[1]));
    growth.AddEntries(surveys[0].Lines + surveys[1].Lines, 0);
    growth.Check(list.Count(), memoryBudget);
    list.Reserve(surveys[0].Lines + surveys[1].Lines,
                 (split == ToEnd ? size : split) - from + growthOf(surveys[0]));
    TKeyItems second;
    second.Reserve(surveys[1].Lines, split == ToEnd ? 0 : size - split + growthOf(surveys[1]));
    TDecoding decoding;
    if (!utf8) {
        decoding.CodePage.emplace(encoding.CodePage);
        decoding.Check = TLineCheck::CountReplacements;
    } else if (!surveys[0].Utf8.Valid() || !surveys[1].Utf8.Valid()) {
        decoding.Check = TLineCheck::RepairUtf8;
    }
    std::array<TParsed, 2> parsed{};
    RunParts(parts, [&](unsigned part, unsigned) {
        parsed[part] = part == 0 ? ParseRange(file, from, split, list, decoding)
                                 : ParseRange(file, split, ToEnd, second, decoding);
    });
    TImportResult result{encoding, parsed[0].DamagedLines};
    if (parsed[0].GoesOn) {
        list.TakeEntries(second);
        result.DamagedLines += parsed[1].DamagedLines;
    }
    return result;
}

TKeywordFileWriter::TKeywordFileWriter(std::string path, TTextEncoding encoding)
    : path_(std::move(path)), encoder_(encoding) {
    Put(ByteOrderMarkOf(encoding), {});
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

void TKeywordFileWriter::WriteAnyLine(std::string_view text) {
    // A first text that starts with U+FEFF would read back as a byte-order mark and lose it: a real mark
    // before it keeps it.
    if (++lines_ == 1 && buffered_ == 0 && text.starts_with(Utf8Mark))
        Put(Utf8Mark, {});
    if (encoder_.Plain()) {
        Put(text, "\r\n");
        return;
    }
    encoded_.clear();
    if (const auto missing = encoder_.Encode(text, encoded_))
        throw EEncodingError(lines_, *missing, encoder_.Encoding());
    encoder_.Encode("\r\n", encoded_);
    Put(encoded_, {});
}

void TKeywordFileWriter::Put(std::string_view bytes, std::string_view end) {
    if (buffered_ + bytes.size() + end.size() > BufferSize)
        Flush();
    if (bytes.size() + end.size() > BufferSize) {
        Write(bytes);
        bytes = {};
    }
    for (const std::string_view part : {bytes, end})
        if (!part.empty()) {
            std::memcpy(buffer_.get() + buffered_, part.data(), part.size());
            buffered_ += part.size();
        }
}

void TKeywordFileWriter::Flush() {
    Write({buffer_.get(), buffered_});
    buffered_ = 0;
}

void TKeywordFileWriter::Write(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size())
        Fail("write");
    written_ += bytes.size();
    // A file that replaces another is flushed to the disk before it does: handing its bytes over as they
    // come lets the disk write them meanwhile, instead of all at the end.
    if (tempPath_.empty() || written_ - handedOver_ < WritebackStep)
        return;
    if (std::fflush(file_) != 0)
        Fail("write");
    sync_file_range(fileno(file_), static_cast<off64_t>(handedOver_),
                    static_cast<off64_t>(written_ - handedOver_), SYNC_FILE_RANGE_WRITE);
    handedOver_ = written_;
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
