#include "core/CaseVariants.h"

#include "core/CaseFolding.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <algorithm>
#include <unicode/uchar.h>
#include <unordered_map>

namespace {

// The characters beyond the byte table that fold to a character, for one rule of I: some 1,400 in all,
// found once by asking ICU about every code point (a few milliseconds).
using TFoldSources = std::unordered_map<char32_t, std::vector<char32_t>>;

TFoldSources FindFoldSources(bool turkic) {
    const uint32_t options = turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    TFoldSources sources;
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const auto folded = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), options));
        if (folded != c)
            sources[folded].push_back(c);
    }
    if (turkic)
        sources[U'ı'].push_back(U'I');
    return sources;
}

const TFoldSources& FoldSources() {
    static const TFoldSources plain = FindFoldSources(false);
    static const TFoldSources turkic = FindFoldSources(true);
    return IsTurkicLocale() ? turkic : plain;
}

// The spellings of one folded character as the byte table reads them.
std::vector<std::string> Spellings(char32_t c) {
    std::vector<std::string> spellings(1);
    Utf8::Append(c, spellings[0]);
    const auto& sources = FoldSources();
    if (const auto found = sources.find(c); found != sources.end())
        for (char32_t source : found->second) {
            std::string bytes;
            Utf8::Append(source, bytes);
            for (auto& b : bytes)
                b = static_cast<char>(VariantBytes()[static_cast<std::uint8_t>(b)]);
            if (std::find(spellings.begin(), spellings.end(), bytes) == spellings.end())
                spellings.push_back(std::move(bytes));
        }
    return spellings;
}

} // namespace

const std::array<std::uint8_t, 256>& VariantBytes() {
    static const auto tables = [] {
        std::array<std::array<std::uint8_t, 256>, 2> bytes{};
        for (int b = 0; b < 256; ++b)
            bytes[0][b] = bytes[1][b] = static_cast<std::uint8_t>(FoldAsciiByte(static_cast<char>(b)));
        bytes[1]['I'] = 'I';
        return bytes;
    }();
    return tables[IsTurkicLocale() ? 1 : 0];
}

std::optional<std::vector<std::string>> CaseVariants(std::string_view folded, std::size_t limit) {
    std::vector<std::string> variants(1);
    for (std::size_t i = 0; i < folded.size();) {
        const auto spellings = Spellings(Utf8::Next(folded, i));
        if (variants.size() * spellings.size() > limit)
            return std::nullopt;
        std::vector<std::string> longer;
        longer.reserve(variants.size() * spellings.size());
        for (const auto& v : variants)
            for (const auto& s : spellings)
                longer.push_back(v + s);
        variants.swap(longer);
    }
    return variants;
}
