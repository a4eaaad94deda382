#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// A first answer to whether a text holds a folded term, from the text with its ASCII capitals lowered and
// sixteen bytes at a time: it settles most texts of a list without folding them. Inline, as it is asked of
// every entry of long lists.
namespace LoweredFind {

enum class TFound { Yes, No, Unsure };

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
// Load16 near the end of a page: the bytes are copied, so that nothing past the page is read. Kept apart so
// that the common path needs no array on the stack and no check of it.
[[gnu::noinline, gnu::cold]] inline __m128i LoadCopied(const std::uint8_t* bytes, std::size_t size) {
    alignas(16) std::uint8_t copy[16] = {};
    std::copy(bytes, bytes + size, copy);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(copy));
}

// Sixteen bytes from bytes on; those from size on are any. Reads past the text only within its memory page,
// which is readable as a whole, as a text's bytes are.
__attribute__((no_sanitize_address)) inline __m128i Load16(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uintptr_t Page = 4096;
    if (size >= 16 || (reinterpret_cast<std::uintptr_t>(bytes) & (Page - 1)) <= Page - 16) [[likely]]
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return LoadCopied(bytes, size);
}
#endif

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

inline unsigned Bits(__m128i mask) {
    return static_cast<unsigned>(_mm_movemask_epi8(mask));
}

// The low bits of 32, without a branch: how many are set varies from one text to the next.
inline std::uint32_t LowMask(std::size_t bits) {
    return static_cast<std::uint32_t>((std::uint64_t{1} << std::min<std::size_t>(bits, 32)) - 1);
}

// FindLowered for a text of at most 32 bytes, as most keywords are: two loads and no loop, whose exit would
// be mispredicted as the lengths of texts vary.
inline TFound FindLoweredShort(const std::uint8_t* bytes, std::size_t size, std::string_view folded) {
    const std::size_t last = folded.size() - 1;
    // From sixteen bytes on, the second load takes the last sixteen, which may overlap the first.
    const bool two = size >= 16;
    const __m128i head = LoweredAt(bytes, size);
    const __m128i tail =
        two ? LoweredChunk(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + size - 16))) : head;
    const unsigned shift = two ? static_cast<unsigned>(size - 16) : 0;
    const std::uint32_t valid = LowMask(size);
    const auto bits = [&](__m128i inHead, __m128i inTail) {
        return (Bits(inHead) | static_cast<std::uint32_t>(Bits(inTail)) << shift) & valid;
    };
    const std::uint32_t beyondAscii = bits(head, tail);
    if (last < size) {
        const __m128i first = _mm_set1_epi8(static_cast<char>(folded[0]));
        const __m128i final = _mm_set1_epi8(static_cast<char>(folded[last]));
        // Places where the first byte of the folded text stands and its last one stands where it would end.
        std::uint32_t places = bits(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, first)) &
                               bits(_mm_cmpeq_epi8(head, final), _mm_cmpeq_epi8(tail, final)) >> last;
        // One letter, as the first one typed, is found or not without a branch: it stands in half of the
        // entries, as unforeseeably as a coin.
        if (last == 0)
            return places != 0 ? TFound::Yes : beyondAscii != 0 ? TFound::Unsure : TFound::No;
        for (; places != 0; places &= places - 1)
            if (SameLowered(bytes + std::countr_zero(places) + 1, folded.substr(1)))
                return TFound::Yes;
    }
    return beyondAscii != 0 ? TFound::Unsure : TFound::No;
}
#endif

// Whether the text with its ASCII letters lowered holds the folded text. Such a find is a find of the folded
// text in the folded entry, since every other character of the folded text is folded already. Not finding it
// settles the question only for an ASCII text: beyond ASCII, other spellings fold alike (ſ and s). The folded
// text is not empty.
inline TFound FindLowered(std::string_view text, std::string_view folded) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    const std::size_t last = folded.size() - 1;
    // Where the folded text can begin: not from this many bytes on.
    const std::size_t starts = size > last ? size - last : 0;
    unsigned beyondAscii = 0;
#ifdef __SSE2__
    if (size == 0)
        return TFound::No;
    if (size <= 32)
        return FindLoweredShort(bytes, size, folded);
    // A place is looked at only where both the first and the last byte of the folded text stand in it, which
    // spares most places that begin with a common letter.
    const __m128i first = _mm_set1_epi8(static_cast<char>(folded[0]));
    const __m128i final = _mm_set1_epi8(static_cast<char>(folded[last]));
    for (std::size_t i = 0; i < size; i += 16) {
        const __m128i head = LoweredAt(bytes + i, size - i);
        beyondAscii |= Bits(head) & LowMask(size - i);
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
        beyondAscii |= bytes[i] & 0x80u;
        if (i < starts && SameLowered(bytes + i, folded))
            return TFound::Yes;
    }
#endif
    return beyondAscii != 0 ? TFound::Unsure : TFound::No;
}

} // namespace LoweredFind
