#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

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

// The low bits of 32, without a branch: how many are set varies from one text to the next.
inline std::uint32_t LowMask(std::size_t bits) {
    return static_cast<std::uint32_t>((std::uint64_t{1} << std::min<std::size_t>(bits, 32)) - 1);
}

} // namespace Simd16
