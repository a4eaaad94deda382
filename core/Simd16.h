#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Searches that read texts sixteen bytes at a time, a text's end within a chunk.
namespace Simd16 {

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
__attribute__((no_sanitize("address", "thread"))) inline __m128i Load16(const std::uint8_t* bytes,
                                                                        std::size_t size) {
    constexpr std::uintptr_t Page = 4096;
    if (size >= 16 || (reinterpret_cast<std::uintptr_t>(bytes) & (Page - 1)) <= Page - 16) [[likely]]
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    return LoadCopied(bytes, size);
}

inline unsigned Bits(__m128i mask) {
    return static_cast<unsigned>(_mm_movemask_epi8(mask));
}

// One bit for each byte of the chunk that equals the byte of one of four lanes.
inline unsigned EqualsAny(__m128i chunk, const __m128i* lanes) {
    return Bits(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, lanes[0]), _mm_cmpeq_epi8(chunk, lanes[1])),
                             _mm_or_si128(_mm_cmpeq_epi8(chunk, lanes[2]), _mm_cmpeq_epi8(chunk, lanes[3]))));
}
#endif

// How many bytes of the text are byte; several times as fast as std::count, which compilers leave a byte at a
// time.
inline std::size_t Count(std::string_view text, char byte) {
    const char* p = text.data();
    std::size_t n = text.size();
    std::size_t count = 0;
#ifdef __SSE2__
    const __m128i lane = _mm_set1_epi8(byte);
    const __m128i zero = _mm_setzero_si128();
    while (n >= 16) {
        // Each of the sixteen byte counters takes at most 255 steps before they are summed.
        const std::size_t steps = std::min<std::size_t>(n / 16, 255);
        __m128i counts = zero;
        for (std::size_t k = 0; k < steps; ++k, p += 16)
            counts = _mm_sub_epi8(counts,
                                  _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), lane));
        const __m128i sums = _mm_sad_epu8(counts, zero);
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
        n -= steps * 16;
    }
#endif
    for (; n > 0; --n, ++p)
        count += *p == byte;
    return count;
}

// The low bits of 32, without a branch: how many are set varies from one text to the next.
inline std::uint32_t LowMask(std::size_t bits) {
    return static_cast<std::uint32_t>((std::uint64_t{1} << std::min<std::size_t>(bits, 32)) - 1);
}

} // namespace Simd16
