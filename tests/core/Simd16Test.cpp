#include "core/Simd16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

// Against a byte-at-a-time model, on texts whose lengths cross the sixteen- and sixty-four-byte steps and the
// 255-step sums, at four offsets into a buffer, with the byte sought now rare and now in every place.
TEST(Simd16Test, CountsAndPlacesAgreeWithAModel) {
    std::mt19937 random(7);
    for (const std::size_t length : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u, 255u * 16u, 255u * 16u + 1u,
                                     255u * 16u + 15u, 255u * 32u + 33u}) {
        for (const int percent : {0, 3, 50, 100}) {
            std::string buffer(length + 16, 'a');
            for (char& c : buffer)
                c = static_cast<int>(random() % 100) < percent ? '\n' : static_cast<char>(random() % 256);
            for (std::size_t offset = 0; offset < 16; offset += 5) {
                const std::string_view text(buffer.data() + offset, length);
                std::vector<std::size_t> places, pairs;
                for (std::size_t i = 0; i < length; ++i)
                    if (text[i] == '\n') {
                        places.push_back(i);
                        if (i + 1 < length && text[i + 1] == '\n')
                            pairs.push_back(i);
                    }
                ASSERT_EQ(Simd16::Count(text, '\n'), places.size())
                    << length << " bytes, " << percent << " %, offset " << offset;
                ASSERT_EQ(Simd16::CountFollowed(text, '\n', '\n'), pairs.size())
                    << length << " bytes, " << percent << " %, offset " << offset;
                std::vector<std::size_t> found;
                Simd16::ForEach(text, '\n', [&](std::size_t at) { found.push_back(at); });
                ASSERT_EQ(found, places) << length << " bytes, " << percent << " %, offset " << offset;
            }
        }
    }
}

#ifdef __SSE2__
// Every length that two and four chunks cover, with the marked bytes at random places: each byte's bit is
// where it stands in the text, whichever chunk or overlap it is read from, and no bit lies past the end.
TEST(Simd16Test, ChunkBitsStandWhereTheirBytesStand) {
    using TTwo = Simd16::TChunks<2, std::uint32_t>;
    using TFour = Simd16::TChunks<4, std::uint64_t>;
    std::mt19937 random(11);
    const auto marks = [](const std::string& text) {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < text.size(); ++i)
            bits |= std::uint64_t{text[i] == 'x'} << i;
        return bits;
    };
    const __m128i x = _mm_set1_epi8('x');
    const auto marked = [&x](__m128i chunk) { return Simd16::Bits(_mm_cmpeq_epi8(chunk, x)); };
    for (std::size_t length = 0; length <= 64; ++length)
        for (int round = 0; round < 20; ++round) {
            std::string text(length, 'a');
            for (char& c : text)
                c = random() % 4 == 0 ? 'x' : 'a';
            // Followed by marks that must not count.
            const std::string buffer = text + std::string(16, 'x');
            const auto* bytes = reinterpret_cast<const std::uint8_t*>(buffer.data());
            if (length <= 32) {
                ASSERT_EQ(TTwo(bytes, length).Of(marked), marks(text)) << length;
            }
            ASSERT_EQ(TFour(bytes, length).Of(marked), marks(text)) << length;
        }
}
#endif
