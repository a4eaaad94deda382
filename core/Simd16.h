#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

// Searches that read texts sixteen bytes at a time, a text's end within a chunk.
namespace Simd16 {

// The low bits of 32, without a branch: how many are set varies from one text to the next.
inline std::uint32_t LowMask(std::size_t bits) {
    return static_cast<std::uint32_t>((std::uint64_t{1} << std::min<std::size_t>(bits, 32)) - 1);
}

// The low bits of 64.
inline std::uint64_t LowMask64(std::size_t bits) {
    return bits >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits) - 1;
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

// A text of at most 16 * Chunks bytes in that many chunks, read without a loop, whose exit would be
// mispredicted as the lengths of texts vary: chunk k from byte 16 k, or from the last sixteen bytes where
// that is less, so that they may overlap; a text below sixteen bytes is one chunk, repeated. TBits holds a
// bit for each byte of the text.
template <std::size_t Chunks, class TBits> class TChunks {
public:
    static_assert(Chunks >= 2 && Chunks * 16 <= sizeof(TBits) * 8);

    TChunks(const std::uint8_t* bytes, std::size_t size) : valid_(static_cast<TBits>(LowMask64(size))) {
        const bool wide = size >= 16;
        chunks_[0] = Load16(bytes, size);
        offsets_[0] = 0;
        for (std::size_t k = 1; k < Chunks; ++k) {
            offsets_[k] = wide ? static_cast<unsigned>(std::min(16 * k, size - 16)) : 0;
            chunks_[k] =
                wide ? _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + offsets_[k])) : chunks_[0];
        }
    }

    // Each chunk replaced by what change makes of it.
    template <class TChange> void Change(TChange&& change) {
        for (auto& chunk : chunks_)
            chunk = change(chunk);
    }

    // The bits that bitsOf gives for each chunk's sixteen bytes, for the bytes of the text.
    template <class TBitsOf> TBits Of(TBitsOf&& bitsOf) const {
        TBits all = 0;
        for (std::size_t k = 0; k < Chunks; ++k)
            all |= TBits{bitsOf(chunks_[k])} << offsets_[k];
        return all & valid_;
    }

private:
    __m128i chunks_[Chunks];
    unsigned offsets_[Chunks];
    TBits valid_;
};

// One bit for each byte of the chunk that equals the byte of one of four lanes.
inline unsigned EqualsAny(__m128i chunk, const __m128i* lanes) {
    return Bits(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, lanes[0]), _mm_cmpeq_epi8(chunk, lanes[1])),
                             _mm_or_si128(_mm_cmpeq_epi8(chunk, lanes[2]), _mm_cmpeq_epi8(chunk, lanes[3]))));
}
#endif

// How many bytes of the text are first and, where second is given, followed by second. Several times as fast
// as std::count, which compilers leave a byte at a time.
inline std::size_t CountFollowed(std::string_view text, char first, std::optional<char> second) {
    const char* p = text.data();
    std::size_t n = text.size();
    std::size_t count = 0;
#ifdef __SSE2__
    const __m128i lane = _mm_set1_epi8(first);
    const __m128i next = _mm_set1_epi8(second.value_or(first));
    const __m128i zero = _mm_setzero_si128();
    const auto matches = [&](const char* at) {
        const __m128i here = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), lane);
        return second
                   ? _mm_and_si128(here, _mm_cmpeq_epi8(
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1)), next))
                   : here;
    };
    // The pair's second byte is read from the next sixteen: the last byte is left to the loop below.
    while (n >= 17) {
        // Each of the sixteen byte counters takes at most 255 steps before they are summed.
        const std::size_t steps = std::min<std::size_t>((n - 1) / 16, 255);
        __m128i counts = zero;
        for (std::size_t k = 0; k < steps; ++k, p += 16)
            counts = _mm_sub_epi8(counts, matches(p));
        const __m128i sums = _mm_sad_epu8(counts, zero);
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
        n -= steps * 16;
    }
#endif
    for (; n > 0; --n, ++p)
        count += *p == first && (!second || (n > 1 && p[1] == *second));
    return count;
}

// How many bytes of the text are byte.
inline std::size_t Count(std::string_view text, char byte) {
    return CountFollowed(text, byte, std::nullopt);
}

// Calls found(offset) for each byte of the text that equals byte, in order. Sixty-four bytes a step: a
// search call for each of millions of short lines costs more than the lines.
template <class TFound> void ForEach(std::string_view text, char byte, TFound&& found) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    std::size_t at = 0;
#ifdef __SSE2__
    const __m128i lane = _mm_set1_epi8(byte);
    const auto bits = [&](std::size_t offset) {
        return std::uint64_t{
            Bits(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + offset)), lane))};
    };
    for (; at + 64 <= n; at += 64)
        for (std::uint64_t mask = bits(at) | bits(at + 16) << 16 | bits(at + 32) << 32 | bits(at + 48) << 48;
             mask != 0; mask &= mask - 1)
            found(at + static_cast<std::size_t>(__builtin_ctzll(mask)));
#endif
    for (; at < n; ++at)
        if (p[at] == static_cast<std::uint8_t>(byte))
            found(at);
}

} // namespace Simd16
