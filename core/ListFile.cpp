#include "core/ListFile.h"

#include "core/KeyItems.h"
#include "core/Progress.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::size_t HeaderSize = 40;
// The head of the payload has a checksum of its own, so its counts can be trusted before the whole is
// checked.
constexpr std::size_t HeadSize = 64;
constexpr std::uint32_t FormatVersion = 1;
constexpr char ListMagic[8] = {'P', 'T', 'W', 'L', 'I', 'S', 'T', '\x1A'};
constexpr char RecordMagic[8] = {'P', 'T', 'W', 'R', 'E', 'C', 'D', '\x1A'};
constexpr std::size_t BufferSize = 1 << 20;

void PutU32(char* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>(value >> (8 * i));
}

void PutU64(char* at, std::uint64_t value) {
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<char>(value >> (8 * i));
}

std::uint64_t GetU64(const char* at) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(at[i]);
    return value;
}

std::uint32_t GetU32(const char* at) {
    return static_cast<std::uint32_t>(GetU64(at) & 0xFFFFFFFFu);
}

[[noreturn]] void Damaged(const std::string& path, const std::string& reason) {
    throw EDamagedFile("Saved file \"" + path + "\" is damaged: " + reason);
}

std::uint64_t HeadChecksum(std::string_view payload) {
    TChecksum sum;
    sum.Add(payload.substr(0, HeadSize));
    return sum.Value();
}

// Where the payload goes: through the checksum always, and into a file when there is one.
class TPayloadSink {
public:
    explicit TPayloadSink(std::string path = {}) : path_(std::move(path)) {
        if (path_.empty())
            return;
        fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ < 0)
            RaiseInOutError("create", path_, errno);
        buffer_.assign(HeaderSize, '\0');
    }
    ~TPayloadSink() {
        if (fd_ >= 0)
            close(fd_);
    }
    TPayloadSink(const TPayloadSink&) = delete;
    TPayloadSink& operator=(const TPayloadSink&) = delete;

    void Put(std::string_view bytes) {
        buffer_.append(bytes);
        if (buffer_.size() >= BufferSize)
            Drain();
    }
    void PutVarint(std::uint64_t value) { AppendVarint(buffer_, value); }

    // Writes the header with the final size and checksum; answers the checksum.
    std::uint64_t Finish(const char* magic) {
        Drain();
        const std::uint64_t checksum = checksum_.Value();
        if (fd_ < 0)
            return checksum;
        char header[HeaderSize] = {};
        std::memcpy(header, magic, 8);
        PutU32(header + 8, FormatVersion);
        PutU64(header + 16, payloadSize_);
        PutU64(header + 24, checksum);
        PutU64(header + 32, HeadChecksum(head_));
        WriteAt(header, HeaderSize, 0);
        if (close(std::exchange(fd_, -1)) != 0)
            RaiseInOutError("close", path_, errno);
        return checksum;
    }

private:
    void Drain() {
        // The first drain of a file carries the room left for its header, which the checksum skips.
        const std::size_t skip = headerPending_ && fd_ >= 0 ? HeaderSize : 0;
        if (headerPending_)
            head_ = buffer_.substr(skip, HeadSize);
        headerPending_ = false;
        checksum_.Add(std::string_view(buffer_).substr(skip));
        payloadSize_ += buffer_.size() - skip;
        if (fd_ >= 0)
            WriteAt(buffer_.data(), buffer_.size(), -1);
        buffer_.clear();
    }
    void WriteAt(const char* data, std::size_t size, off_t offset) {
        while (size > 0) {
            const ssize_t n = offset < 0 ? write(fd_, data, size) : pwrite(fd_, data, size, offset);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                RaiseInOutError("write", path_, n < 0 ? errno : ENOSPC);
            data += n;
            size -= static_cast<std::size_t>(n);
            if (offset >= 0)
                offset += n;
        }
    }

    std::string path_;
    int fd_ = -1;
    std::string buffer_;
    bool headerPending_ = true;
    std::string head_;
    std::uint64_t payloadSize_ = 0;
    TChecksum checksum_;
};

std::uint64_t PutList(TPayloadSink& sink, const TKeyItems& list, const std::atomic<bool>* giveUp) {
    // Often enough that whoever asks waits a few milliseconds at most.
    constexpr std::size_t CheckEvery = 1 << 14;
    const std::size_t count = static_cast<std::size_t>(list.Count());
    std::uint64_t textBytes = 0;
    for (std::size_t i = 0; i < count; ++i)
        textBytes += list.GetKeyItem(static_cast<int>(i)).Text().size();
    sink.PutVarint(count);
    sink.PutVarint(textBytes);
    sink.PutVarint(list.SortOrder);
    sink.PutVarint(list.Name.size());
    sink.Put(list.Name);
    for (std::size_t i = 0; i < count; ++i) {
        if (i % CheckEvery == 0 && giveUp && giveUp->load(std::memory_order_relaxed))
            throw ECancelled();
        const std::string_view text = list.GetKeyItem(static_cast<int>(i)).Text();
        sink.PutVarint(text.size());
        sink.Put(text);
    }
    return sink.Finish(ListMagic);
}

// The whole file, mapped read-only while it is parsed.
class TMappedFile {
public:
    explicit TMappedFile(const std::string& path) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            RaiseInOutError("open", path, errno);
        struct stat info {};
        const int statResult = fstat(fd, &info);
        if (statResult != 0 || !S_ISREG(info.st_mode)) {
            close(fd);
            if (statResult != 0)
                RaiseInOutError("read", path, errno);
            Damaged(path, "not a regular file");
        }
        size_ = static_cast<std::size_t>(info.st_size);
        if (size_ > 0) {
            void* data = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (data == MAP_FAILED) {
                const int error = errno;
                close(fd);
                RaiseInOutError("read", path, error);
            }
            data_ = static_cast<const char*>(data);
            madvise(data, size_, MADV_SEQUENTIAL);
        }
        close(fd);
    }
    ~TMappedFile() {
        if (data_)
            munmap(const_cast<char*>(data_), size_);
    }
    TMappedFile(const TMappedFile&) = delete;
    TMappedFile& operator=(const TMappedFile&) = delete;

    std::string_view Bytes() const { return {data_, size_}; }

private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
};

// The payload of a framed file of this kind, after its header and the checksum of its head were found
// sound; checksum is the one the header gives for the whole.
std::string_view FramedPayload(std::string_view file, const char* magic, const std::string& path,
                               std::uint64_t& checksum) {
    if (file.size() < HeaderSize)
        Damaged(path, "shorter than its header");
    if (std::memcmp(file.data(), magic, 8) != 0)
        Damaged(path, "not a file of this kind");
    if (GetU32(file.data() + 8) != FormatVersion || GetU32(file.data() + 12) != 0)
        Damaged(path, "unknown version");
    const std::string_view payload = file.substr(HeaderSize);
    if (GetU64(file.data() + 16) != payload.size())
        Damaged(path, "its size does not match its header");
    if (HeadChecksum(payload) != GetU64(file.data() + 32))
        Damaged(path, "checksum mismatch at its head");
    checksum = GetU64(file.data() + 24);
    return payload;
}

bool ChecksumMatches(std::string_view payload, std::uint64_t checksum) {
    TChecksum sum;
    sum.Add(payload);
    return sum.Value() == checksum;
}

void ParseList(std::string_view payload, const std::string& path, TKeyItems& list) {
    std::size_t pos = 0;
    const std::uint64_t count = ReadVarint(payload, pos, path);
    const std::uint64_t textBytes = ReadVarint(payload, pos, path);
    const std::uint64_t sortOrder = ReadVarint(payload, pos, path);
    const std::uint64_t nameSize = ReadVarint(payload, pos, path);
    // Every entry takes at least its one length byte, so a count or size beyond the payload is damage,
    // found before any storage is reserved for it.
    if (count > payload.size() || textBytes > payload.size() || sortOrder > 255 ||
        nameSize > payload.size() - pos)
        Damaged(path, "its counts exceed the file");
    list.Name.assign(payload.substr(pos, nameSize));
    pos += nameSize;
    list.SortOrder = static_cast<std::uint8_t>(sortOrder);
    list.Reserve(count, textBytes);
    std::uint64_t seenBytes = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t size = ReadVarint(payload, pos, path);
        if (size > payload.size() - pos)
            Damaged(path, "an entry runs past the end");
        list.AddKeyword(payload.substr(pos, size));
        pos += size;
        seenBytes += size;
    }
    if (pos != payload.size() || seenBytes != textBytes)
        Damaged(path, "its entries do not fill it exactly");
}

} // namespace

std::uint64_t TChecksum::Step(std::uint64_t h) {
    // An odd multiplier and a shift-xor are both invertible, so two streams that differ in one word end in
    // different states.
    h *= 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 29);
}

void TChecksum::MixBlock(const unsigned char* block) {
    for (unsigned lane = 0; lane < Lanes; ++lane) {
        std::uint64_t word;
        std::memcpy(&word, block + 8 * lane, 8);
        lanes_[lane] = Step(lanes_[lane] ^ word);
    }
}

void TChecksum::Add(std::string_view bytes) {
    length_ += bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    if (pendingSize_ > 0) {
        const std::size_t taken = std::min(left, BlockSize - pendingSize_);
        std::memcpy(pending_ + pendingSize_, p, taken);
        pendingSize_ += taken;
        p += taken;
        left -= taken;
        if (pendingSize_ < BlockSize)
            return;
        MixBlock(pending_);
        pendingSize_ = 0;
    }
    for (; left >= BlockSize; p += BlockSize, left -= BlockSize)
        MixBlock(p);
    std::memcpy(pending_, p, left);
    pendingSize_ = left;
}

std::uint64_t TChecksum::Value() const {
    unsigned char tail[BlockSize] = {};
    std::memcpy(tail, pending_, pendingSize_);
    // Folding the lanes one after another keeps the whole a bijection of each lane.
    std::uint64_t h = length_;
    for (unsigned lane = 0; lane < Lanes; ++lane) {
        std::uint64_t word;
        std::memcpy(&word, tail + 8 * lane, 8);
        h = Step(h ^ Step(lanes_[lane] ^ word));
    }
    return h;
}

void AppendVarint(std::string& out, std::uint64_t value) {
    while (value >= 0x80) {
        out.push_back(static_cast<char>(value | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

std::uint64_t ReadVarint(std::string_view data, std::size_t& pos, const std::string& path) {
    std::uint64_t value = 0;
    for (unsigned shift = 0; shift < 64; shift += 7) {
        if (pos >= data.size())
            Damaged(path, "ends inside a record");
        const auto byte = static_cast<unsigned char>(data[pos++]);
        value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
        if (byte < 0x80)
            return value;
    }
    Damaged(path, "a length code is too long");
}

std::uint64_t WriteListFile(const std::string& path, const TKeyItems& list, const std::atomic<bool>* giveUp) {
    TPayloadSink sink(path);
    return PutList(sink, list, giveUp);
}

std::uint64_t ListChecksum(const TKeyItems& list, const std::atomic<bool>* giveUp) {
    TPayloadSink sink;
    return PutList(sink, list, giveUp);
}

std::uint64_t ReadListFile(const std::string& path, TKeyItems& list) {
    const TMappedFile file(path);
    std::uint64_t checksum = 0;
    const std::string_view payload = FramedPayload(file.Bytes(), ListMagic, path, checksum);
    // The whole is checked beside the parse: on a long list the two take about as long as each other.
    bool matches = false;
    std::thread checker([&] { matches = ChecksumMatches(payload, checksum); });
    try {
        ParseList(payload, path, list);
    } catch (...) {
        checker.join();
        throw;
    }
    checker.join();
    if (!matches)
        Damaged(path, "checksum mismatch");
    return checksum;
}

void WriteRecordFile(const std::string& path, std::string_view payload) {
    TPayloadSink sink(path);
    sink.Put(payload);
    sink.Finish(RecordMagic);
}

std::string ReadRecordFile(const std::string& path) {
    const TMappedFile file(path);
    std::uint64_t checksum = 0;
    const std::string_view payload = FramedPayload(file.Bytes(), RecordMagic, path, checksum);
    if (!ChecksumMatches(payload, checksum))
        Damaged(path, "checksum mismatch");
    return std::string(payload);
}
