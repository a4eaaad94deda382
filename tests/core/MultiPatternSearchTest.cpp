#include "core/MultiPatternSearch.h"

#include "core/CaseFolding.h"
#include "tests/core/RandomText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Strings = std::vector<std::string>;

// Everything a search reports about one text, for comparing two searches.
struct TFindings {
    int first;
    bool contains;
    bool prefix;
    std::vector<std::pair<int, std::size_t>> occurrences;
    bool operator==(const TFindings&) const = default;
};

TFindings Findings(const TMultiPatternSearch& search, std::string_view text) {
    TFindings f{search.FirstPatternIn(text), search.ContainsAny(text), search.StartsWithAny(text), {}};
    search.AnyOccurrence(text, [&](int pattern, std::size_t start) {
        f.occurrences.emplace_back(pattern, start);
        return false;
    });
    return f;
}

// The picking and removing tests check the search against plain loops; here the sparse tables, which
// only a huge term list reaches, must find exactly what the dense ones find.
void ExpectSparseAgreesWithDense(const Strings& patterns, const Strings& texts,
                                 const TMultiPatternSearch::TFold& fold) {
    const TMultiPatternSearch dense(patterns, fold);
    for (std::size_t cells : {std::size_t{1}, std::size_t{300}}) {
        const TMultiPatternSearch sparse(patterns, fold, cells);
        for (const auto& text : texts)
            EXPECT_EQ(Findings(sparse, text), Findings(dense, text)) << text << " cells " << cells;
    }
}

TEST(MultiPatternSearch, SparseTablesAgreeWithDenseOnes) {
    TRandomText random(7);
    for (int round = 0; round < 40; ++round)
        ExpectSparseAgreesWithDense(random.Texts("abcA", 1 + random.Below(12), 4),
                                    random.Texts("abcABC d", 60, 14), FoldedBytes());
}

// What plain loops over the text, folded byte by byte, find; occurrences in start order, each by the smallest
// index among equal patterns.
TFindings NaiveFindings(const Strings& patterns, const TMultiPatternSearch::TFold& fold,
                        std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(fold[static_cast<std::uint8_t>(c)]);
    TFindings f{-1, false, false, {}};
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        const std::string& pattern = patterns[p];
        if (pattern.empty() ||
            std::find(patterns.begin(), patterns.begin() + p, pattern) != patterns.begin() + p)
            continue;
        for (std::size_t at = folded.find(pattern); at != std::string::npos;
             at = folded.find(pattern, at + 1)) {
            f.occurrences.emplace_back(static_cast<int>(p), at);
            f.first = f.first < 0 ? static_cast<int>(p) : std::min(f.first, static_cast<int>(p));
            f.prefix = f.prefix || at == 0;
        }
    }
    f.contains = f.first >= 0;
    return f;
}

// Few patterns, such as a term's case variants, are looked for sixteen places at a time by the bytes at
// two offsets; patterns of unequal lengths, texts of every length around sixteen and thirty-two bytes, and
// characters of two and three bytes.
TEST(MultiPatternSearch, FewPatternsFindWhatPlainLoopsFind) {
    TRandomText random(5);
    TMultiPatternSearch::TFold identity{};
    for (int b = 0; b < 256; ++b)
        identity[b] = static_cast<std::uint8_t>(b);
    const Strings texts = random.Texts("abAB ёЁоОᲂK", 300, 40);
    for (int round = 0; round < 60; ++round) {
        const auto& fold = round % 2 == 0 ? identity : FoldedBytes();
        const Strings patterns =
            random.Texts(round % 3 == 0 ? "aAb" : "abAёЁᲂ K", 1 + random.Below(6), 1 + random.Below(5));
        const TMultiPatternSearch search(patterns, fold);
        for (const auto& text : texts) {
            TFindings found = Findings(search, text);
            std::sort(found.occurrences.begin(), found.occurrences.end(), [](const auto& a, const auto& b) {
                return a.second < b.second || (a.second == b.second && a.first < b.first);
            });
            TFindings expected = NaiveFindings(patterns, fold, text);
            std::sort(expected.occurrences.begin(), expected.occurrences.end(),
                      [](const auto& a, const auto& b) {
                          return a.second < b.second || (a.second == b.second && a.first < b.first);
                      });
            ASSERT_EQ(found, expected) << "round " << round << " text " << text;
        }
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
    TMultiPatternSearch::TFold identity{};
    for (int b = 0; b < 256; ++b)
        identity[b] = static_cast<std::uint8_t>(b);
    ExpectSparseAgreesWithDense(patterns, texts, identity);
    const TMultiPatternSearch search(patterns, identity);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(search.FirstPatternIn(patterns[static_cast<std::size_t>(b)]), b);
}

} // namespace
