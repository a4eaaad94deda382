#include "core/CaseFolding.h"

#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <array>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <unicode/uchar.h>

namespace {

constexpr std::uint64_t HighBits = 0x8080808080808080ull;

// ASCII lower case of eight bytes below 0x80 at once.
std::uint64_t LowerAsciiWord(std::uint64_t word) {
    const std::uint64_t pastZ = word + 0x2525252525252525ull;
    const std::uint64_t fromA = word + 0x3F3F3F3F3F3F3F3Full;
    return word | (((fromA ^ pastZ) & HighBits) >> 2);
}

std::uint64_t LoadWord(const char* p, std::size_t count) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, count);
    return word;
}

// The bytes from i to the end, fewer than eight, as LoadWord reads them; from the last eight bytes where
// there are eight, which spares a library call for every text.
std::uint64_t TailWord(std::string_view bytes, std::size_t i) {
    const std::size_t n = bytes.size();
    if (n < 8)
        return LoadWord(bytes.data() + i, n - i);
    return LoadWord(bytes.data() + n - 8, 8) >> (8 * (8 - (n - i)));
}

// The hash of bytes, each first mapped by lowerWord; eight bytes at a time, one multiplication each.
template <class TLower> std::uint64_t HashBytes(std::string_view bytes, TLower lowerWord) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull * (bytes.size() + 1);
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8)
        h = (h ^ lowerWord(LoadWord(bytes.data() + i, 8))) * 0xFF51AFD7ED558CCDull;
    if (i < bytes.size())
        h = (h ^ lowerWord(TailWord(bytes, i))) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

char32_t IcuFold(char32_t c) {
    const uint32_t options = IsTurkicLocale() ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), options));
}

// The folds of the two-byte characters (Latin with diacritics, Greek, Cyrillic, Hebrew, Arabic...), the
// bulk of keyword lists beyond ASCII: a lookup instead of ICU's trie. One table for each rule of I.
constexpr char32_t TwoByteEnd = 0x800;

struct TTwoByteFolds {
    std::array<std::array<char16_t, TwoByteEnd>, 2> Folds;
    // The fold's UTF-8, ready to store: two bytes (the second unused for a one-byte fold) and, above them,
    // the length.
    std::array<std::array<std::uint32_t, TwoByteEnd>, 2> Encoded;

    TTwoByteFolds() {
        for (int turkic = 0; turkic < 2; ++turkic)
            for (char32_t c = 0; c < TwoByteEnd; ++c) {
                const char16_t folded = static_cast<char16_t>(u_foldCase(
                    static_cast<UChar32>(c), turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT));
                Folds[turkic][c] = folded;
                char bytes[4] = {};
                const std::size_t length = Utf8::Write(folded, bytes);
                Encoded[turkic][c] = length <= 2
                                         ? static_cast<std::uint8_t>(bytes[0]) |
                                               (std::uint32_t{static_cast<std::uint8_t>(bytes[1])} << 8) |
                                               (std::uint32_t{static_cast<std::uint8_t>(length)} << 16)
                                         : 0;
            }
    }
};

// Made when the program loads, so that looking up costs no check of whether it was made.
const TTwoByteFolds kTwoByteFolds;

const char16_t* TwoByteFolds() {
    return kTwoByteFolds.Folds[IsTurkicLocale() ? 1 : 0].data();
}

const std::uint32_t* EncodedTwoByteFolds() {
    return kTwoByteFolds.Encoded[IsTurkicLocale() ? 1 : 0].data();
}

// The encoded fold of a well-formed two-byte character at i; 0 for anything else, and for the two
// characters whose fold takes three bytes.
std::uint32_t TwoByteAt(const std::uint8_t* bytes, std::size_t i, std::size_t size,
                        const std::uint32_t* twoByte) {
    const std::uint8_t b = bytes[i];
    if (b < 0xC2 || b > 0xDF || i + 1 >= size || (bytes[i + 1] & 0xC0) != 0x80)
        return 0;
    return twoByte[((b & 0x1F) << 6) | (bytes[i + 1] & 0x3F)];
}

// Writes the folded form of text character by character to write, which has room for FoldedRoom(text) bytes;
// returns the end of what it wrote. Two-byte characters take the table.
char* WriteFolded(std::string_view text, char* write) {
    const std::uint32_t* twoByte = EncodedTwoByteFolds();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const bool turkic = IsTurkicLocale();
    for (std::size_t i = 0; i < text.size();) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80 && !(turkic && b == 'I')) {
            *write++ = FoldAsciiByte(static_cast<char>(b));
            ++i;
        } else if (const std::uint32_t folded = TwoByteAt(bytes, i, text.size(), twoByte)) {
            write[0] = static_cast<char>(folded);
            write[1] = static_cast<char>(folded >> 8);
            write += folded >> 16;
            i += 2;
        } else {
            write += Utf8::Write(FoldChar(Utf8::Next(text, i)), write);
        }
    }
    return write;
}

// A folded character is never more than twice as long as its character.
std::size_t FoldedRoom(std::string_view text) {
    return 2 * text.size() + 4;
}

void AppendFoldedFrom(std::string_view text, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + FoldedRoom(text));
    out.resize(static_cast<std::size_t>(WriteFolded(text, out.data() + start) - out.data()));
}

// The folded text, written to room, which only ever grows: the duplicate search folds millions of texts, and
// sizing a cleared string for each filled twice its length with zeros first.
std::string_view FoldedIn(std::string_view text, std::string& room) {
    if (room.size() < FoldedRoom(text))
        room.resize(FoldedRoom(text));
    return {room.data(), static_cast<std::size_t>(WriteFolded(text, room.data()) - room.data())};
}

} // namespace

char32_t FoldChar(char32_t c) {
    if (c < 0x80 && !(c == 'I' && IsTurkicLocale()))
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    if (c < TwoByteEnd)
        return TwoByteFolds()[c];
    return IcuFold(c);
}

const std::vector<std::array<std::uint8_t, 2>>& PairsFoldingIntoAscii() {
    static std::mutex guard;
    static std::map<std::string, std::vector<std::array<std::uint8_t, 2>>> made;
    const std::lock_guard lock(guard);
    const auto [place, fresh] = made.try_emplace(TextLocale());
    if (fresh) {
        std::set<std::array<std::uint8_t, 2>> pairs;
        for (char32_t c = 0x80; c <= Utf8::MaxChar; ++c)
            if (!(c >= 0xD800 && c <= 0xDFFF) && FoldChar(c) < 0x80) {
                char bytes[4];
                Utf8::Write(c, bytes);
                pairs.insert({static_cast<std::uint8_t>(bytes[0]), static_cast<std::uint8_t>(bytes[1])});
            }
        place->second.assign(pairs.begin(), pairs.end());
    }
    return place->second;
}

void AppendFolded(std::string_view text, std::string& out) {
    if (FoldsAsAscii(text)) {
        const std::size_t start = out.size();
        out.append(text);
        for (std::size_t i = start; i < out.size(); ++i)
            out[i] = FoldAsciiByte(out[i]);
        return;
    }
    AppendFoldedFrom(text, out);
}

std::string Folded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(text, out);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    // Most equal texts a duplicate search meets are equal byte for byte.
    if (a == b)
        return true;
    if (FoldsAsAscii(a) && FoldsAsAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (FoldAsciiByte(a[i]) != FoldAsciiByte(b[i]))
                return false;
        return true;
    }
    thread_local std::string roomA;
    thread_local std::string roomB;
    return FoldedIn(a, roomA) == FoldedIn(b, roomB);
}

std::uint64_t FoldedHash(std::string_view text) {
    // Most texts are ASCII, which the pass that hashes them lowered finds out on the way; a text in another
    // script mostly shows it in its first bytes, and is folded at once.
    std::uint64_t any = text.empty() ? 0 : TailWord(text.substr(0, 8), 0);
    if ((any & HighBits) == 0) {
        const std::uint64_t lowered = HashBytes(text, [&any](std::uint64_t word) {
            any |= word;
            return LowerAsciiWord(word);
        });
        if ((any & HighBits) == 0 && (!IsTurkicLocale() || FoldsAsAscii(text)))
            return lowered;
    }
    thread_local std::string room;
    return HashBytes(FoldedIn(text, room), [](std::uint64_t word) { return word; });
}

const std::array<std::uint8_t, 256>& FoldedBytes() {
    static const auto table = [] {
        std::array<std::uint8_t, 256> bytes{};
        for (int b = 0; b < 256; ++b)
            bytes[b] = static_cast<std::uint8_t>(FoldAsciiByte(static_cast<char>(b)));
        return bytes;
    }();
    return table;
}

std::string_view SearchableText(std::string_view text, std::string& scratch) {
    if (FoldsAsAscii(text))
        return text;
    scratch.clear();
    AppendFolded(text, scratch);
    return scratch;
}
