#pragma once

#include "core/Exceptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The encodings of keyword text files. Texts inside the program are UTF-8; these turn a file's bytes into
// UTF-8 on import and UTF-8 into a file's bytes on export.
enum class TEncoding : std::uint8_t { Automatic, Utf8, Utf8WithMark, Utf16LE, Utf16BE, CodePage };

struct TTextEncoding {
    TEncoding Kind = TEncoding::Automatic;
    // The Windows code page 1250..1258 when Kind is CodePage.
    int CodePage = 0;

    bool operator==(const TTextEncoding&) const = default;
};

// How keyword files are read (when they carry no byte-order mark) and written.
struct TFileEncodings {
    TTextEncoding Import{TEncoding::Automatic};
    TTextEncoding Export{TEncoding::Utf8};
};

// The name a setting stores: "automatic", "utf-8", "utf-8-bom", "utf-16le", "utf-16be", "windows-1251"...
std::string EncodingName(TTextEncoding encoding);
// The name messages use: "UTF-8", "UTF-16", "Windows-1251"...
std::string EncodingTitle(TTextEncoding encoding);
std::optional<TTextEncoding> EncodingFromName(std::string_view name);
// What an import may be told to read: automatic, then the explicit encodings.
std::vector<TTextEncoding> ImportEncodings();
// What an export may write; the first is the default.
std::vector<TTextEncoding> ExportEncodings();

// The byte-order mark a file starts with, if any: its encoding and length.
struct TByteOrderMark {
    TEncoding Kind = TEncoding::Automatic;
    std::size_t Length = 0;
};
TByteOrderMark FindByteOrderMark(std::string_view start);

// Checks UTF-8 fed in chunks of any size. It counts what repairing would take: each byte of a malformed
// sequence reads as one U+FFFD, as Utf8::Next reads it.
class TUtf8Check {
public:
    void Feed(std::string_view chunk);
    // An unfinished sequence at the end counts as malformed.
    void Finish();

    bool Valid() const { return malformedBytes_ == 0; }
    std::uint64_t MalformedBytes() const { return malformedBytes_; }
    // Well-formed sequences of two to four bytes: the evidence that a file is UTF-8 at all.
    std::uint64_t Sequences() const { return sequences_; }
    // Bytes above 0x7F: a single-byte code page turns each into at most three bytes of UTF-8.
    std::uint64_t HighBytes() const { return highBytes_; }

private:
    // Checks whole sequences from the start of the chunk while one fits; returns where it stopped.
    std::size_t FeedWhole(std::string_view chunk);
    void Start(std::uint8_t byte);
    void Malformed();

    std::uint8_t need_ = 0;
    std::uint8_t taken_ = 0;
    std::uint8_t low_ = 0x80;
    std::uint8_t high_ = 0xBF;
    std::uint64_t malformedBytes_ = 0;
    std::uint64_t sequences_ = 0;
    std::uint64_t highBytes_ = 0;
};

// Offset of the first byte above 0x7F in text, or its size.
std::size_t AsciiPrefix(std::string_view text);

// The text with every byte of a malformed sequence replaced by U+FFFD.
std::string RepairedUtf8(std::string_view text);

// Decodes single-byte text of a Windows code page; bytes the code page leaves undefined become U+FFFD.
class TCodePageDecoder {
public:
    explicit TCodePageDecoder(int codePage);
    // Appends the UTF-8 of bytes to out.
    void Decode(std::string_view bytes, std::string& out) const;

private:
    std::array<std::array<char, 3>, 128> high_{};
    std::array<std::uint8_t, 128> length_{};
};

// Decodes UTF-16 fed in chunks of any size; a lone surrogate and an odd last byte become U+FFFD.
class TUtf16Decoder {
public:
    explicit TUtf16Decoder(bool bigEndian) : bigEndian_(bigEndian) {}
    void Decode(std::string_view bytes, std::string& out);
    void Finish(std::string& out);

private:
    void Take(char16_t unit, std::string& out);

    bool bigEndian_;
    bool oddByte_ = false;
    std::uint8_t firstByte_ = 0;
    char16_t highSurrogate_ = 0;
};

// A character the export encoding cannot hold. Line counts from 1.
class EEncodingError : public Exception {
public:
    EEncodingError(std::size_t line, char32_t character, TTextEncoding encoding);

    std::size_t Line;
    char32_t Character;
};

// The byte-order mark a file in the encoding starts with; none for plain UTF-8 and the code pages.
std::string_view ByteOrderMarkOf(TTextEncoding encoding);

// Encodes UTF-8 texts for an export file.
class TTextEncoder {
public:
    explicit TTextEncoder(TTextEncoding encoding);

    // Whether texts are written as they are.
    bool Plain() const { return plain_; }
    TTextEncoding Encoding() const { return encoding_; }
    // Appends the encoded text to out; returns the first character the encoding lacks, if any, leaving out
    // partly written.
    std::optional<char32_t> Encode(std::string_view utf8, std::string& out) const;

private:
    TTextEncoding encoding_;
    bool plain_;
    // Code page bytes above 0x7F by their character, sorted by character.
    std::vector<std::pair<char16_t, char>> bytes_;
};
