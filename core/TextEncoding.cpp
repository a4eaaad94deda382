#include "core/TextEncoding.h"

#include "core/CodePage.h"
#include "core/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int FirstCodePage = 1250;
constexpr int LastCodePage = 1258;
constexpr std::string_view CodePagePrefix = "windows-";
constexpr std::uint64_t HighBits = 0x8080808080808080ull;

// No Windows code page gives a byte the meaning of a C1 control character or of a private-use character:
// a table that maps a byte there marks it undefined.
char32_t DefinedOrReplacement(char16_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF) ? Utf8::Replacement : c;
}

struct TNamedKind {
    TEncoding Kind;
    std::string_view Name;
};

constexpr TNamedKind Names[] = {
    {TEncoding::Automatic, "automatic"},    {TEncoding::Utf8, "utf-8"},
    {TEncoding::Utf8WithMark, "utf-8-bom"}, {TEncoding::Utf16LE, "utf-16le"},
    {TEncoding::Utf16BE, "utf-16be"},
};

void AppendCodePages(std::vector<TTextEncoding>& encodings) {
    for (int page = FirstCodePage; page <= LastCodePage; ++page)
        encodings.push_back({TEncoding::CodePage, page});
}

std::string CharacterName(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    std::string shown;
    Utf8::Append(c, shown);
    return "\"" + shown + "\" (" + code + ")";
}

} // namespace

std::string EncodingName(TTextEncoding encoding) {
    if (encoding.Kind == TEncoding::CodePage)
        return std::string(CodePagePrefix) + std::to_string(encoding.CodePage);
    for (const auto& named : Names)
        if (named.Kind == encoding.Kind)
            return std::string(named.Name);
    return {};
}

std::string EncodingTitle(TTextEncoding encoding) {
    switch (encoding.Kind) {
    case TEncoding::Utf8:
    case TEncoding::Utf8WithMark:
        return "UTF-8";
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE:
        return "UTF-16";
    case TEncoding::CodePage:
        return "Windows-" + std::to_string(encoding.CodePage);
    case TEncoding::Automatic:
        break;
    }
    return "the encoding";
}

std::optional<TTextEncoding> EncodingFromName(std::string_view name) {
    for (const auto& named : Names)
        if (name == named.Name)
            return TTextEncoding{named.Kind, 0};
    if (!name.starts_with(CodePagePrefix))
        return std::nullopt;
    const std::string_view digits = name.substr(CodePagePrefix.size());
    int page = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), page);
    if (error != std::errc() || end != digits.data() + digits.size() || page < FirstCodePage ||
        page > LastCodePage)
        return std::nullopt;
    return TTextEncoding{TEncoding::CodePage, page};
}

std::vector<TTextEncoding> ImportEncodings() {
    std::vector<TTextEncoding> encodings = {
        {TEncoding::Automatic}, {TEncoding::Utf8}, {TEncoding::Utf16LE}, {TEncoding::Utf16BE}};
    AppendCodePages(encodings);
    return encodings;
}

std::vector<TTextEncoding> ExportEncodings() {
    std::vector<TTextEncoding> encodings = {
        {TEncoding::Utf8}, {TEncoding::Utf8WithMark}, {TEncoding::Utf16LE}};
    AppendCodePages(encodings);
    return encodings;
}

TByteOrderMark FindByteOrderMark(std::string_view start) {
    if (start.starts_with("\xEF\xBB\xBF"))
        return {TEncoding::Utf8, 3};
    if (start.starts_with("\xFF\xFE"))
        return {TEncoding::Utf16LE, 2};
    if (start.starts_with("\xFE\xFF"))
        return {TEncoding::Utf16BE, 2};
    return {};
}

std::size_t AsciiPrefix(std::string_view text) {
    const char* p = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    // Sixteen bytes a step in two words: the compiler keeps this in vector registers.
    for (; i + 16 <= n; i += 16) {
        std::uint64_t a, b;
        std::memcpy(&a, p + i, 8);
        std::memcpy(&b, p + i + 8, 8);
        if ((a | b) & HighBits)
            break;
    }
    while (i < n && static_cast<std::uint8_t>(p[i]) < 0x80)
        ++i;
    return i;
}

namespace {

// Checks sixteen bytes at a time while they hold only ASCII and well-formed two-byte sequences (Latin with
// diacritics, Greek, Cyrillic, Hebrew, Arabic); returns how many bytes it checked, ending between sequences.
std::size_t TwoByteBlocks([[maybe_unused]] const std::uint8_t* p, [[maybe_unused]] std::size_t n,
                          [[maybe_unused]] std::uint64_t& sequences, [[maybe_unused]] std::uint64_t& high) {
    std::size_t i = 0;
#ifdef __SSE2__
    // As signed bytes: continuation bytes 80..BF are below -64, leads C2..DF lie between -63 and -32.
    const __m128i belowC0 = _mm_set1_epi8(-64);
    const __m128i aboveC1 = _mm_set1_epi8(-63);
    const __m128i belowE0 = _mm_set1_epi8(-32);
    const __m128i zero = _mm_setzero_si128();
    const auto load = [p](std::size_t at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
    };
    // Leads are counted in byte lanes, summed (a sum of absolute differences adds up a lane's bytes) before
    // any lane can pass 255: plain x86-64 has no bit count instruction. Every high byte of these blocks is
    // a lead or its continuation, so there are twice as many as leads.
    std::uint64_t leads = 0;
    __m128i laneLeads = zero;
    unsigned blocks = 0;
    const auto sum = [&] {
        const __m128i sums = _mm_sad_epu8(laneLeads, zero);
        leads += static_cast<std::uint64_t>(_mm_cvtsi128_si64(sums)) +
                 static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(sums, sums)));
        laneLeads = zero;
        blocks = 0;
    };
    // A lead in the last byte of a block has its continuation first in the next one, which is checked for it;
    // when no next block is, the lead goes back to the caller.
    unsigned carried = 0;
    // After sixteen bytes of ASCII, ASCII sixty-four bytes a step: English text is mostly that.
    bool ascii = true;
    while (n - i >= 16) {
        if (ascii) {
            while (n - i >= 64 &&
                   _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(load(i), load(i + 16)),
                                                  _mm_or_si128(load(i + 32), load(i + 48)))) == 0)
                i += 64;
            if (n - i < 16)
                break;
        }
        const __m128i v = load(i);
        const __m128i isLead = _mm_and_si128(_mm_cmpgt_epi8(v, aboveC1), _mm_cmplt_epi8(v, belowE0));
        const auto highMask = static_cast<unsigned>(_mm_movemask_epi8(v));
        const auto cont = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(v, belowC0)));
        const auto lead = static_cast<unsigned>(_mm_movemask_epi8(isLead));
        if ((cont | lead) != highMask || cont != (((lead << 1) | carried) & 0xFFFF))
            break;
        laneLeads = _mm_sub_epi8(laneLeads, isLead);
        if (++blocks == 255)
            sum();
        carried = lead >> 15;
        i += 16;
        ascii = highMask == 0;
    }
    sum();
    i -= carried;
    leads -= carried;
    sequences += leads;
    high += 2 * leads;
#endif
    return i;
}

} // namespace

void TUtf8Check::Feed(std::string_view chunk) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(chunk.data());
    const std::size_t n = chunk.size();
    // A byte at a time only where a sequence runs over a chunk's border.
    for (std::size_t i = 0; i < n;) {
        if (need_ == 0) {
            if (n - i >= 4)
                i += FeedWhole(chunk.substr(i));
            else if (p[i] < 0x80)
                ++i;
            else
                Start(p[i++]);
            continue;
        }
        const std::uint8_t b = p[i];
        if (b < low_ || b > high_) {
            // The bytes so far are malformed; this one may start something new.
            Malformed();
            continue;
        }
        ++i;
        ++highBytes_;
        ++taken_;
        low_ = 0x80;
        high_ = 0xBF;
        if (--need_ == 0)
            ++sequences_;
    }
}

std::size_t TUtf8Check::FeedWhole(std::string_view chunk) {
    // Counted in locals: stores to the members could alias the bytes and make the compiler read them again.
    const auto* p = reinterpret_cast<const std::uint8_t*>(chunk.data());
    const std::size_t n = chunk.size();
    std::uint64_t sequences = 0, high = 0, malformed = 0;
    std::size_t i = 0;
    // Where checking sixteen bytes at once may be tried again after it met something else.
    std::size_t blocksFrom = 0;
    while (n - i >= 4) {
        if (i >= blocksFrom) {
            const std::size_t checked = TwoByteBlocks(p + i, n - i, sequences, high);
            i += checked;
            if (checked == 0)
                blocksFrom = i + 16;
            continue;
        }
        if (p[i] < 0x80) {
            // A blank between words, or a long ASCII stretch.
            if (p[++i] < 0x80)
                i += AsciiPrefix(chunk.substr(i));
            continue;
        }
        // Two-byte characters (Cyrillic, Greek, accented Latin) need the least checking.
        std::size_t length = 2;
        if (p[i] < 0xC2 || p[i] > 0xDF || (p[i + 1] & 0xC0) != 0x80)
            length = Utf8::SequenceLength(chunk, i);
        if (length == 0) {
            ++malformed;
            ++high;
            ++i;
            continue;
        }
        i += length;
        high += length;
        ++sequences;
    }
    sequences_ += sequences;
    highBytes_ += high;
    malformedBytes_ += malformed;
    return i;
}

void TUtf8Check::Start(std::uint8_t b) {
    ++highBytes_;
    taken_ = 1;
    low_ = 0x80;
    high_ = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        need_ = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need_ = 2;
        if (b == 0xE0)
            low_ = 0xA0;
        else if (b == 0xED)
            high_ = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        need_ = 3;
        if (b == 0xF0)
            low_ = 0x90;
        else if (b == 0xF4)
            high_ = 0x8F;
    } else {
        Malformed();
    }
}

void TUtf8Check::Malformed() {
    malformedBytes_ += taken_;
    need_ = 0;
    taken_ = 0;
    low_ = 0x80;
    high_ = 0xBF;
}

void TUtf8Check::Finish() {
    if (need_ > 0)
        Malformed();
}

std::string RepairedUtf8(std::string_view text) {
    std::string repaired;
    repaired.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size();)
        Utf8::Append(Utf8::Next(text, i), repaired);
    return repaired;
}

TCodePageDecoder::TCodePageDecoder(int codePage) {
    const TCodePage& table = TCodePage::Get(codePage);
    for (std::size_t b = 0; b < 128; ++b) {
        std::string bytes;
        Utf8::Append(DefinedOrReplacement(table.Unicode[b + 128]), bytes);
        length_[b] = static_cast<std::uint8_t>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), high_[b].begin());
    }
}

void TCodePageDecoder::Decode(std::string_view bytes, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 3);
    char* to = out.data() + start;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t ascii = AsciiPrefix(bytes.substr(i));
        std::memcpy(to, bytes.data() + i, ascii);
        to += ascii;
        i += ascii;
        if (i == bytes.size())
            break;
        const std::size_t b = static_cast<std::uint8_t>(bytes[i++]) - 128;
        std::memcpy(to, high_[b].data(), 3);
        to += length_[b];
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

void TUtf16Decoder::Decode(std::string_view bytes, std::string& out) {
    std::size_t i = 0;
    const auto unit = [&](std::uint8_t first, std::uint8_t second) {
        return static_cast<char16_t>(bigEndian_ ? (first << 8) | second : (second << 8) | first);
    };
    if (oddByte_ && !bytes.empty()) {
        Take(unit(firstByte_, static_cast<std::uint8_t>(bytes[0])), out);
        oddByte_ = false;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2)
        Take(unit(static_cast<std::uint8_t>(bytes[i]), static_cast<std::uint8_t>(bytes[i + 1])), out);
    if (i < bytes.size()) {
        oddByte_ = true;
        firstByte_ = static_cast<std::uint8_t>(bytes[i]);
    }
}

void TUtf16Decoder::Take(char16_t unit, std::string& out) {
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (highSurrogate_ != 0) {
        const char16_t first = std::exchange(highSurrogate_, 0);
        if (low) {
            Utf8::Append(0x10000 + ((static_cast<char32_t>(first) - 0xD800) << 10) + (unit - 0xDC00), out);
            return;
        }
        Utf8::Append(Utf8::Replacement, out);
    }
    if (high)
        highSurrogate_ = unit;
    else
        Utf8::Append(low ? Utf8::Replacement : unit, out);
}

void TUtf16Decoder::Finish(std::string& out) {
    if (std::exchange(highSurrogate_, 0) != 0)
        Utf8::Append(Utf8::Replacement, out);
    if (std::exchange(oddByte_, false))
        Utf8::Append(Utf8::Replacement, out);
}

EEncodingError::EEncodingError(std::size_t line, char32_t character, TTextEncoding encoding)
    : Exception("Line " + std::to_string(line) + " holds the character " + CharacterName(character) +
                ", which " + EncodingTitle(encoding) + " cannot hold. Nothing was written."),
      Line(line), Character(character) {}

TTextEncoder::TTextEncoder(TTextEncoding encoding)
    : encoding_(encoding),
      plain_(encoding.Kind == TEncoding::Utf8 || encoding.Kind == TEncoding::Utf8WithMark) {
    if (encoding.Kind != TEncoding::CodePage)
        return;
    const TCodePage& table = TCodePage::Get(encoding.CodePage);
    for (int b = 128; b < 256; ++b) {
        const char32_t c = DefinedOrReplacement(table.Unicode[static_cast<std::size_t>(b)]);
        if (c != Utf8::Replacement)
            bytes_.emplace_back(static_cast<char16_t>(c), static_cast<char>(b));
    }
    std::sort(bytes_.begin(), bytes_.end());
}

std::string_view ByteOrderMarkOf(TTextEncoding encoding) {
    switch (encoding.Kind) {
    case TEncoding::Utf8WithMark:
        return "\xEF\xBB\xBF";
    case TEncoding::Utf16LE:
        return "\xFF\xFE";
    case TEncoding::Utf16BE:
        return "\xFE\xFF";
    default:
        return {};
    }
}

std::optional<char32_t> TTextEncoder::Encode(std::string_view utf8, std::string& out) const {
    if (plain_) {
        out.append(utf8);
        return std::nullopt;
    }
    const bool bigEndian = encoding_.Kind == TEncoding::Utf16BE;
    const auto unit = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = Utf8::Next(utf8, i);
        if (encoding_.Kind != TEncoding::CodePage) {
            if (c >= 0x10000) {
                unit(0xD800 + ((c - 0x10000) >> 10));
                unit(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                unit(c);
            }
            continue;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto found = std::lower_bound(bytes_.begin(), bytes_.end(), c,
                                            [](const auto& entry, char32_t v) { return entry.first < v; });
        if (found == bytes_.end() || found->first != c)
            return c;
        out += found->second;
    }
    return std::nullopt;
}
