#include "core/MultiPatternSearch.h"

#include "core/CaseFolding.h"
#include "tests/core/RandomText.h"

#include <gtest/gtest.h>

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
