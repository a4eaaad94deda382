#pragma once

#include "core/Exceptions.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

class TKeyItems;

// Our own framed file: a header (magic, version, payload size, checksum of the payload) and the payload.
// The checksum tells a damaged or cut file from a sound one; the writer never flushes it to disk, so the
// caller decides when to pay for that.

// A framed file that is cut, altered, of another kind or not a file at all.
class EDamagedFile : public Exception {
public:
    using Exception::Exception;
};

// 64-bit checksum of a byte stream fed in pieces of any size: a change of any one aligned 8-byte word of
// the stream always changes it. Four words are mixed side by side, so the multiplications overlap.
class TChecksum {
public:
    void Add(std::string_view bytes);
    std::uint64_t Value() const;

private:
    static constexpr unsigned Lanes = 4;
    static constexpr unsigned BlockSize = 8 * Lanes;

    void MixBlock(const unsigned char* block);
    static std::uint64_t Step(std::uint64_t h);

    std::uint64_t lanes_[Lanes] = {0x243F6A8885A308D3ull, 0x13198A2E03707344ull, 0xA4093822299F31D0ull,
                                   0x082EFA98EC4E6C89ull};
    std::uint64_t length_ = 0;
    unsigned char pending_[BlockSize] = {};
    std::size_t pendingSize_ = 0;
};

// A list's entries, name and sort order; the word counts are not kept. Creates the file (it must not exist
// yet) and answers the checksum of what it wrote. Raises ECancelled soon after giveUp turns true; the file
// is then incomplete.
std::uint64_t WriteListFile(const std::string& path, const TKeyItems& list,
                            const std::atomic<bool>* giveUp = nullptr);
// The checksum that WriteListFile would give for the list, without writing anything.
std::uint64_t ListChecksum(const TKeyItems& list, const std::atomic<bool>* giveUp = nullptr);
// Appends the file's entries to list and takes its name and sort order; answers the file's checksum.
// Raises EDamagedFile or EInOutError; the list may then hold part of the entries.
std::uint64_t ReadListFile(const std::string& path, TKeyItems& list);

// A small framed file holding payload, for records other than lists.
void WriteRecordFile(const std::string& path, std::string_view payload);
std::string ReadRecordFile(const std::string& path);

// Unsigned LEB128, the length code of both kinds of file.
void AppendVarint(std::string& out, std::uint64_t value);
// Reads one at pos, advancing it; raises EDamagedFile naming path past the end or on an overlong code.
std::uint64_t ReadVarint(std::string_view data, std::size_t& pos, const std::string& path);
