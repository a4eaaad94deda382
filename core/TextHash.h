#pragma once

#include "CodePage.h"

#include <cstdint>
#include <string_view>

// A hash of a text's upper-cased bytes: texts that differ only in case hash alike. Eight upper-cased bytes
// at a time: the table lookups of a word are independent of one another, and only one multiplication per
// word sits on the chain.
inline std::uint64_t UpperCaseHash(const TCodePage& codePage, std::string_view text) {
    const auto upperWord = [&](const std::uint8_t* bytes, std::size_t count) {
        std::uint64_t word = 0;
        for (std::size_t k = 0; k < count; ++k)
            word |= static_cast<std::uint64_t>(codePage.Upper[bytes[k]]) << (8 * k);
        return word;
    };
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::uint64_t h = 0x9E3779B97F4A7C15ull * (text.size() + 1);
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8)
        h = (h ^ upperWord(bytes + i, 8)) * 0xFF51AFD7ED558CCDull;
    if (i < text.size())
        h = (h ^ upperWord(bytes + i, text.size() - i)) * 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

// Which of parts (a power of two) parts of a job the text with that hash belongs to; independent of the
// hash's low bits, which pick table slots.
inline unsigned HashPart(std::uint64_t hash, unsigned parts) {
    return static_cast<unsigned>(hash >> 56) & (parts - 1);
}
