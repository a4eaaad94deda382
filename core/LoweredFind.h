#pragma once

#include "core/CaseFolding.h"
#include "core/Simd16.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// A first answer to whether a text holds a folded text, from the text with its ASCII capitals lowered and
// sixteen bytes at a time: it settles most texts of a list without folding them. Inline, as it is asked of
// every entry of long lists.
namespace LoweredFind {

using namespace Simd16;

enum class TFound { Yes, No, Unsure };

// The characters in a text that leave "not found" unsure. A find in the lowered text is a find of the folded
// text in the folded one, since every other character of the folded text is folded already. Not finding it
// settles nothing where characters beyond ASCII may fold alike (ſ and s); but a folded text of ASCII alone
// stands only in ASCII runs, which fold as they lower unless a character folds into ASCII. Those are known
// by their first two bytes: a chunk of text is searched for their leads, and the rare lead found is looked
// at with the byte after it.
class TUnsureBytes {
public:
    // Every character beyond ASCII.
    TUnsureBytes() { Take({}); }
    explicit TUnsureBytes(std::string_view folded) : pairs_(PairsFoldingIntoAscii()) {
        std::vector<std::uint8_t> leads;
        for (const auto& pair : pairs_)
            if (std::find(leads.begin(), leads.end(), pair[0]) == leads.end())
                leads.push_back(pair[0]);
        everyByte_ = !Utf8::IsAscii(folded) || leads.size() > MaxLeads;
        Take(leads);
    }

#ifdef __SSE2__
    // One bit for each byte of the chunk that may begin an unsure character.
    unsigned Leads(__m128i chunk) const {
        return Bits(_mm_and_si128(chunk, beyondAscii_)) | EqualsAny(chunk, leads_);
    }
#else
    bool IsLead(std::uint8_t b) const {
        return (b & beyondAscii_) != 0 || std::find(leads_.begin(), leads_.end(), b) != leads_.end();
    }
#endif

    // Whether an unsure character begins at one of the places from base on, where Leads found its lead.
    bool BeginsAt(const std::uint8_t* bytes, std::size_t size, std::uint64_t places, std::size_t base) const {
        if (everyByte_)
            return places != 0;
        for (; places != 0; places &= places - 1) {
            const std::size_t at = base + static_cast<std::size_t>(std::countr_zero(places));
            if (at + 1 < size &&
                std::find(pairs_.begin(), pairs_.end(),
                          std::array<std::uint8_t, 2>{bytes[at], bytes[at + 1]}) != pairs_.end())
                return true;
        }
        return false;
    }

private:
    static constexpr std::size_t MaxLeads = 4;

    void Take(const std::vector<std::uint8_t>& leads) {
        // Unused places repeat a byte that is unsure anyway, or one that no UTF-8 text holds.
        std::array<std::uint8_t, MaxLeads> bytes;
        bytes.fill(everyByte_ ? 0x80 : 0xFF);
        if (!everyByte_)
            std::copy(leads.begin(), leads.end(), bytes.begin());
#ifdef __SSE2__
        beyondAscii_ = _mm_set1_epi8(static_cast<char>(everyByte_ ? 0x80 : 0));
        for (std::size_t k = 0; k < MaxLeads; ++k)
            leads_[k] = _mm_set1_epi8(static_cast<char>(bytes[k]));
#else
        beyondAscii_ = everyByte_ ? 0x80 : 0;
        leads_ = bytes;
#endif
    }

    std::vector<std::array<std::uint8_t, 2>> pairs_;
    bool everyByte_ = true;
#ifdef __SSE2__
    __m128i beyondAscii_;
    __m128i leads_[MaxLeads];
#else
    std::uint8_t beyondAscii_;
    std::array<std::uint8_t, MaxLeads> leads_;
#endif
};

inline std::uint8_t Lowered(std::uint8_t c) {
    return c >= 'A' && c <= 'Z' ? static_cast<std::uint8_t>(c + 32) : c;
}

inline bool SameLowered(const std::uint8_t* text, std::string_view folded) {
    for (std::size_t k = 0; k < folded.size(); ++k)
        if (Lowered(text[k]) != static_cast<std::uint8_t>(folded[k]))
            return false;
    return true;
}

#ifdef __SSE2__
inline __m128i LoweredChunk(__m128i chunk) {
    // Signed compares: bytes beyond ASCII are negative and stay as they are.
    const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(chunk, _mm_set1_epi8('A' - 1)),
                                        _mm_cmplt_epi8(chunk, _mm_set1_epi8('Z' + 1)));
    return _mm_or_si128(chunk, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

// The sixteen bytes from bytes on with their ASCII capitals lowered; as Load16.
inline __m128i LoweredAt(const std::uint8_t* bytes, std::size_t size) {
    return LoweredChunk(Load16(bytes, size));
}

// FindLowered for a text of at most 16 * Chunks bytes, as most keywords are.
template <std::size_t Chunks, class TBits>
inline TFound FindLoweredShort(const std::uint8_t* bytes, std::size_t size, std::string_view folded,
                               const TUnsureBytes& unsure) {
    TChunks<Chunks, TBits> chunks(bytes, size);
    chunks.Change(LoweredChunk);
    // Which bytes beyond ASCII leave the answer unsure is asked only of texts that have some.
    const TBits beyondAscii = chunks.Of([](__m128i c) { return Bits(c); });
    const TBits leads = beyondAscii != 0 ? chunks.Of([&](__m128i c) { return unsure.Leads(c); }) : 0;
    const auto unsureOrNot = [&] {
        return unsure.BeginsAt(bytes, size, leads, 0) ? TFound::Unsure : TFound::No;
    };
    const std::size_t last = folded.size() - 1;
    if (last < size) {
        const __m128i first = _mm_set1_epi8(static_cast<char>(folded[0]));
        const __m128i final = _mm_set1_epi8(static_cast<char>(folded[last]));
        // Places where the first byte of the folded text stands and its last one stands where it would end.
        TBits places = chunks.Of([&](__m128i c) { return Bits(_mm_cmpeq_epi8(c, first)); }) &
                       chunks.Of([&](__m128i c) { return Bits(_mm_cmpeq_epi8(c, final)); }) >> last;
        // One letter, as the first one typed, is found or not without a branch: it stands in half of the
        // entries, as unforeseeably as a coin.
        if (last == 0)
            return places != 0 ? TFound::Yes : unsureOrNot();
        for (; places != 0; places &= places - 1)
            if (SameLowered(bytes + std::countr_zero(places) + 1, folded.substr(1)))
                return TFound::Yes;
    }
    return unsureOrNot();
}
#endif

// Whether the text with its ASCII letters lowered holds the folded text, which is not empty; unsure: the
// folded text's TUnsureBytes.
inline TFound FindLowered(std::string_view text, std::string_view folded, const TUnsureBytes& unsure) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    const std::size_t last = folded.size() - 1;
    // Where the folded text can begin: not from this many bytes on.
    const std::size_t starts = size > last ? size - last : 0;
    bool unsureFound = false;
#ifdef __SSE2__
    if (size == 0)
        return TFound::No;
    if (size <= 32)
        return FindLoweredShort<2, std::uint32_t>(bytes, size, folded, unsure);
    if (size <= 64)
        return FindLoweredShort<4, std::uint64_t>(bytes, size, folded, unsure);
    // A place is looked at only where both the first and the last byte of the folded text stand in it, which
    // spares most places that begin with a common letter.
    const __m128i first = _mm_set1_epi8(static_cast<char>(folded[0]));
    const __m128i final = _mm_set1_epi8(static_cast<char>(folded[last]));
    for (std::size_t i = 0; i < size; i += 16) {
        const __m128i head = LoweredAt(bytes + i, size - i);
        if (const unsigned beyondAscii = Bits(head) & LowMask(size - i); beyondAscii != 0 && !unsureFound)
            unsureFound = unsure.BeginsAt(bytes, size, unsure.Leads(head) & beyondAscii, i);
        if (i >= starts)
            continue;
        auto hits = Bits(_mm_cmpeq_epi8(head, first)) & LowMask(starts - i);
        if (hits != 0 && last != 0)
            hits &= Bits(_mm_cmpeq_epi8(LoweredAt(bytes + i + last, size - i - last), final));
        for (; hits != 0; hits &= hits - 1)
            if (SameLowered(bytes + i + static_cast<std::size_t>(std::countr_zero(hits)) + 1,
                            folded.substr(1)))
                return TFound::Yes;
    }
#else
    for (std::size_t i = 0; i < size; ++i) {
        unsureFound = unsureFound || (unsure.IsLead(bytes[i]) && unsure.BeginsAt(bytes, size, 1, i));
        if (i < starts && SameLowered(bytes + i, folded))
            return TFound::Yes;
    }
#endif
    return unsureFound ? TFound::Unsure : TFound::No;
}

} // namespace LoweredFind
