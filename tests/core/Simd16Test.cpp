#include "core/Simd16.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

// Against std::count, on texts whose lengths cross the sixteen-byte steps and the 255-step sums, at four
// offsets into a buffer, with the byte counted now rare and now in every place.
TEST(Simd16Test, CountAgreesWithStdCount) {
    std::mt19937 random(7);
    for (const std::size_t length : {0u, 1u, 15u, 16u, 17u, 255u * 16u, 255u * 16u + 15u, 255u * 32u + 33u}) {
        for (const int percent : {0, 3, 50, 100}) {
            std::string buffer(length + 16, 'a');
            for (char& c : buffer)
                c = static_cast<int>(random() % 100) < percent ? '\n' : static_cast<char>(random() % 256);
            for (std::size_t offset = 0; offset < 16; offset += 5) {
                const std::string_view text(buffer.data() + offset, length);
                ASSERT_EQ(Simd16::Count(text, '\n'),
                          static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')))
                    << length << " bytes, " << percent << " %, offset " << offset;
            }
        }
    }
}
