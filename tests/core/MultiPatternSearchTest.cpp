#include "MultiPatternSearch.h"

#include "CodePage.h"
#include "RandomText.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using TFold = TMultiPatternSearch::TFold;

TFold Identity() {
    TFold fold{};
    for (int b = 0; b < 256; ++b)
        fold[b] = static_cast<std::uint8_t>(b);
    return fold;
}

std::string Folded(std::string_view text, const TFold& fold) {
    std::string out(text);
    for (auto& c : out)
        c = static_cast<char>(fold[static_cast<std::uint8_t>(c)]);
    return out;
}

// The obvious way: every pattern against every position.
struct TNaive {
    const Strings& patterns;
    const TFold& fold;

    int First(std::string_view text) const {
        const std::string u = Folded(text, fold);
        for (std::size_t p = 0; p < patterns.size(); ++p)
            if (!patterns[p].empty() && u.find(patterns[p]) != std::string::npos)
                return static_cast<int>(p);
        return -1;
    }
    bool Prefix(std::string_view text) const {
        const std::string u = Folded(text, fold);
        for (const auto& p : patterns)
            if (!p.empty() && u.starts_with(p))
                return true;
        return false;
    }
    // (end, start) of every occurrence of every distinct pattern.
    std::vector<std::pair<std::size_t, std::size_t>> Occurrences(std::string_view text) const {
        const std::string u = Folded(text, fold);
        std::vector<std::pair<std::size_t, std::size_t>> found;
        for (std::size_t p = 0; p < patterns.size(); ++p) {
            const std::string& t = patterns[p];
            if (t.empty() || std::find(patterns.begin(), patterns.begin() + static_cast<long>(p), t) !=
                                 patterns.begin() + static_cast<long>(p))
                continue;
            for (std::size_t at = u.find(t); at != std::string::npos; at = u.find(t, at + 1))
                found.emplace_back(at + t.size(), at);
        }
        std::sort(found.begin(), found.end());
        return found;
    }
};

void ExpectAgreesWithNaive(const Strings& patterns, const Strings& texts, const TFold& fold,
                           std::size_t cells) {
    const TMultiPatternSearch search(patterns, fold, cells);
    const TNaive naive{patterns, fold};
    for (const auto& text : texts) {
        const int first = naive.First(text);
        EXPECT_EQ(search.FirstPatternIn(text), first) << text;
        EXPECT_EQ(search.ContainsAny(text), first >= 0) << text;
        EXPECT_EQ(search.StartsWithAny(text), naive.Prefix(text)) << text;
        std::vector<std::pair<std::size_t, std::size_t>> seen;
        search.AnyOccurrence(text, [&](int pattern, std::size_t start) {
            const std::string& p = patterns[static_cast<std::size_t>(pattern)];
            EXPECT_EQ(Folded(text, fold).substr(start, p.size()), p);
            EXPECT_EQ(std::find(patterns.begin(), patterns.end(), p) - patterns.begin(), pattern);
            seen.emplace_back(start + p.size(), start);
            return false;
        });
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(seen, naive.Occurrences(text)) << text;
    }
}

TEST(MultiPatternSearch, AgreesWithNaiveSearchDenseAndSparse) {
    TRandomText random(7);
    const TFold upper = TCodePage::Get(1252).Upper;
    for (int round = 0; round < 40; ++round) {
        Strings patterns = random.Texts("ABCa", 1 + random.Below(12), 4);
        const Strings texts = random.Texts("abcABC d", 60, 14);
        for (std::size_t cells : {TMultiPatternSearch::DefaultDenseCells, std::size_t{1}, std::size_t{20}})
            ExpectAgreesWithNaive(patterns, texts, upper, cells);
    }
}

TEST(MultiPatternSearch, EveryByteValueInPatternsAndTexts) {
    TRandomText random(11);
    Strings patterns;
    for (int b = 0; b < 256; ++b)
        patterns.push_back(std::string(1, static_cast<char>(b)) + static_cast<char>(255 - b));
    Strings texts;
    for (int i = 0; i < 200; ++i)
        texts.push_back(random.Bytes(30));
    ExpectAgreesWithNaive(patterns, texts, Identity(), TMultiPatternSearch::DefaultDenseCells);
    ExpectAgreesWithNaive(patterns, texts, Identity(), 300);
}

TEST(MultiPatternSearch, NoPatternsOrOnlyEmptyOnesMatchNothing) {
    for (const Strings& patterns : {Strings{}, Strings{"", ""}}) {
        const TMultiPatternSearch search(patterns, Identity());
        EXPECT_TRUE(search.Empty());
        EXPECT_FALSE(search.ContainsAny("abc"));
        EXPECT_FALSE(search.StartsWithAny(""));
        EXPECT_EQ(search.FirstPatternIn("abc"), -1);
    }
}

TEST(MultiPatternSearch, FirstPatternIsTheSmallestIndexNotTheEarliestPosition) {
    const TMultiPatternSearch search({"", "ZZ", "B", "A"}, TCodePage::Get(1252).Upper);
    EXPECT_EQ(search.FirstPatternIn("a b zz"), 1);
    EXPECT_EQ(search.FirstPatternIn("a b"), 2);
    EXPECT_EQ(search.FirstPatternIn("xyz"), -1);
}

} // namespace
