#include "core/WordFrequency.h"

#include "tests/core/RandomText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Words with punctuation and letters beyond ASCII around and between them.
constexpr std::string_view Alphabet = "abAB  -.\xC3\xA9\xC3\x89\xCF\x83";

// Counting only the runs of at least minWords words gives the counts of those runs that counting every run
// gives, in the same order.
TEST(WordFrequencyTest, LongerRunsAloneCountAsAmongAllRuns) {
    TRandomText random(41);
    TKeyItems list;
    for (const auto& text : random.Texts(Alphabet, 5000, 14))
        list.AddKeyword(text);
    for (int maxWords = 1; maxWords <= 3; ++maxWords)
        for (int minWords = 1; minWords <= maxWords; ++minWords) {
            std::vector<TWordCount> expected = CountWordFrequencies(list, maxWords);
            std::erase_if(expected, [minWords](const TWordCount& count) {
                return std::count(count.Text.begin(), count.Text.end(), ' ') < minWords - 1;
            });
            EXPECT_EQ(CountWordFrequencies(list, maxWords, minWords), expected) << minWords << maxWords;
        }
}

} // namespace
