#include "CodePage.h"

#include <gtest/gtest.h>
#include <random>

namespace {

class EveryCodePage : public ::testing::TestWithParam<int> {};

TEST_P(EveryCodePage, ComparisonAgreesWithUpperCaseEquality) {
    const TCodePage& cp = TCodePage::Get(GetParam());
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const std::string x(1, static_cast<char>(a));
            const std::string y(1, static_cast<char>(b));
            EXPECT_EQ(cp.CompareText(x, y) == 0, cp.UpperCase(x) == cp.UpperCase(y)) << a << " " << b;
        }
}

TEST_P(EveryCodePage, ComparisonIsATotalOrderOnRandomTexts) {
    const TCodePage& cp = TCodePage::Get(GetParam());
    std::mt19937 rng(GetParam());
    std::vector<std::string> texts(300);
    for (auto& t : texts) {
        t.resize(rng() % 4);
        for (auto& c : t)
            c = static_cast<char>(rng() % 256);
    }
    for (const auto& a : texts)
        for (const auto& b : texts) {
            const int ab = cp.CompareText(a, b);
            EXPECT_EQ(ab == 0, cp.SameText(a, b));
            EXPECT_EQ((ab > 0) - (ab < 0), -((cp.CompareText(b, a) > 0) - (cp.CompareText(b, a) < 0)));
            EXPECT_EQ(ab < 0, cp.SortKey(a) < cp.SortKey(b));
        }
}

TEST_P(EveryCodePage, CaseMappingsAreIdempotentAndRoundTripThroughUnicode) {
    const TCodePage& cp = TCodePage::Get(GetParam());
    std::string all;
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(cp.Upper[cp.Upper[b]], cp.Upper[b]);
        EXPECT_EQ(cp.Lower[cp.Lower[b]], cp.Lower[b]);
        all += static_cast<char>(b);
    }
    EXPECT_EQ(cp.FromUtf8(cp.ToUtf8(all)), all);
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryCodePage, ::testing::Range(1250, 1259));

TEST(CodePage, Windows1252LettersAndOrder) {
    const TCodePage& cp = TCodePage::Get(1252);
    EXPECT_EQ(cp.UpperCase("caf\xE9 \xFF"), "CAF\xC9 \x9F");
    EXPECT_EQ(cp.LowerCase("STRA\xDF"
                           "E"),
              "stra\xDF"
              "e");
    EXPECT_LT(cp.CompareText(" z", "a"), 0);
    EXPECT_LT(cp.CompareText("9", "a"), 0);
    EXPECT_LT(cp.CompareText("apple", "Banana"), 0);
    EXPECT_LT(cp.CompareText("shoe", "shoes"), 0);
    EXPECT_LT(cp.CompareText("\xE9t\xE9", "f"), 0);
    EXPECT_EQ(cp.CompareText("SHOES", "shoes"), 0);
}

TEST(CodePage, Windows1251Cyrillic) {
    const TCodePage& cp = TCodePage::Get(1251);
    // "обувь" in upper case is "ОБУВЬ"; "ё" pairs with "Ё".
    EXPECT_EQ(cp.UpperCase("\xEE\xE1\xF3\xE2\xFC"), "\xCE\xC1\xD3\xC2\xDC");
    EXPECT_EQ(cp.UpperCase("\xB8"), "\xA8");
    EXPECT_LT(cp.CompareText("\xE0", "\xE1"), 0);
    EXPECT_EQ(cp.ToUtf8("\xCE\xF8\xE8\xE1\xEA\xE0"), "Ошибка");
    EXPECT_EQ(cp.FromUtf8("Ошибка"), "\xCE\xF8\xE8\xE1\xEA\xE0");
}

TEST(CodePage, UnknownCharactersBecomeQuestionMarks) {
    const TCodePage& cp = TCodePage::Get(1252);
    EXPECT_EQ(cp.FromUtf8("a\xE2\x82\xAC\xE4\xB8\xAD"
                          "b"),
              "a\x80?b");
    EXPECT_EQ(cp.FromUtf8("\xFF\xC3"), "??");
}

TEST(CodePage, OutOfRangeIdGivesWestern) {
    EXPECT_EQ(TCodePage::Get(437).Id, 1252);
    EXPECT_EQ(TCodePage::Get(1258).Id, 1258);
}

} // namespace
