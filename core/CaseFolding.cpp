#include "CaseFolding.h"

#include "TextLocale.h"
#include "Utf8.h"

#include <cstring>
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

// The hash of bytes, each first mapped by lowerWord; eight bytes at a time, one multiplication each.
template <class TLower> std::uint64_t HashBytes(std::string_view bytes, TLower lowerWord) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull * (bytes.size() + 1);
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8)
        h = (h ^ lowerWord(LoadWord(bytes.data() + i, 8))) * 0xFF51AFD7ED558CCDull;
    if (i < bytes.size())
        h = (h ^ lowerWord(LoadWord(bytes.data() + i, bytes.size() - i))) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

} // namespace

char32_t FoldChar(char32_t c) {
    if (c < 0x80 && !(c == 'I' && IsTurkicLocale()))
        return (c >= 'A' && c <= 'Z') ? c + 32 : c;
    const uint32_t options = IsTurkicLocale() ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), options));
}

void AppendFolded(std::string_view text, std::string& out) {
    if (FoldsAsAscii(text)) {
        const std::size_t start = out.size();
        out.append(text);
        for (std::size_t i = start; i < out.size(); ++i)
            out[i] = FoldAsciiByte(out[i]);
        return;
    }
    for (std::size_t i = 0; i < text.size();)
        Utf8::Append(FoldChar(Utf8::Next(text, i)), out);
}

std::string Folded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendFolded(text, out);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    if (FoldsAsAscii(a) && FoldsAsAscii(b)) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (FoldAsciiByte(a[i]) != FoldAsciiByte(b[i]))
                return false;
        return true;
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size())
        if (FoldChar(Utf8::Next(a, i)) != FoldChar(Utf8::Next(b, j)))
            return false;
    return i == a.size() && j == b.size();
}

std::uint64_t FoldedHash(std::string_view text) {
    if (FoldsAsAscii(text))
        return HashBytes(text, LowerAsciiWord);
    thread_local std::string folded;
    folded.clear();
    AppendFolded(text, folded);
    return HashBytes(folded, [](std::uint64_t word) { return word; });
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
