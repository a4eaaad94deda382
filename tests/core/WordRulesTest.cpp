#include "core/WordRules.h"

#include "core/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

Words Split(std::string_view text, const TCharSet& separators) {
    Words words;
    SplitWords(text, separators, words);
    return words;
}

TEST(CountWords, CountsRunsOfNonBlanks) {
    EXPECT_EQ(CountWords(""), 0);
    EXPECT_EQ(CountWords(" \t  \t"), 0);
    EXPECT_EQ(CountWords("a"), 1);
    EXPECT_EQ(CountWords("a\tb"), 2);
    EXPECT_EQ(CountWords("a.b"), 1);
    EXPECT_EQ(CountWords("a - b"), 3);
    EXPECT_EQ(CountWords("  red   shoes  "), 2);
    EXPECT_EQ(CountWords(std::string("a\0b", 3)), 1);
}

TEST(SplitWords, CutsAtSeparatorsAndDropsEmptyRuns) {
    EXPECT_EQ(Split("red. shoes", RecombineSeparators()), (Words{"red", "shoes"}));
    EXPECT_EQ(Split("..a", RecombineSeparators()), (Words{"a"}));
    EXPECT_EQ(Split(". \t.", RecombineSeparators()), Words{});
    EXPECT_EQ(Split("", RecombineSeparators()), Words{});
    EXPECT_EQ(Split("Big  RED\tshoes ", BlankSet()), (Words{"Big", "RED", "shoes"}));
}

TEST(SplitWords, EmptySeparatorSetRaisesAndLeavesOutputAlone) {
    Words words{"kept"};
    try {
        SplitWords("a b", TCharSet{}, words);
        FAIL() << "expected an error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "Separators set can't be empty");
    }
    EXPECT_EQ(words, Words{"kept"});
}

TEST(SplitWords, ClearsPreviousOutput) {
    Words words{"old"};
    SplitWords("new", BlankSet(), words);
    EXPECT_EQ(words, Words{"new"});
}

TEST(WrapMatchType, TrimsTheTrimSetAtBothEndsOnly) {
    EXPECT_EQ(WrapMatchType(" [cheap shoes] ", PhraseMatch), "\"cheap shoes\"");
    EXPECT_EQ(WrapMatchType(" [cheap shoes] ", ExactMatch), "[cheap shoes]");
    EXPECT_EQ(WrapMatchType(" [cheap shoes] ", BroadMatch), "cheap shoes");
    EXPECT_EQ(WrapMatchType("men's shoes'", BroadMatch), "men's shoes");
    EXPECT_EQ(WrapMatchType("\"a [b] c\"", 7), "a [b] c");
}

TEST(WrapMatchType, TrimOnlyTextHasEmptyCore) {
    EXPECT_EQ(WrapMatchType("\" '[]\t", PhraseMatch), "\"\"");
    EXPECT_EQ(WrapMatchType("  ", ExactMatch), "[]");
    EXPECT_EQ(WrapMatchType("", BroadMatch), "");
    EXPECT_EQ(WrapMatchType("", PhraseMatch), "\"\"");
}

TEST(SmallHelpers, TextAfterPadLeftAsciiLower) {
    EXPECT_EQ(TextAfter("abc", 1), "bc");
    EXPECT_EQ(TextAfter("abc", 3), "");
    EXPECT_EQ(TextAfter("abc", 0), "abc");
    EXPECT_EQ(PadLeft("7", 2, '0'), "07");
    EXPECT_EQ(PadLeft("12", 2, '0'), "12");
    EXPECT_EQ(PadLeft("123", 2, '0'), "123");
    EXPECT_EQ(AsciiLower('A'), 'a');
    EXPECT_EQ(AsciiLower('Z'), 'z');
    EXPECT_EQ(AsciiLower('['), '[');
    EXPECT_EQ(AsciiLower('\xC0'), '\xC0');
}

TEST(ReplaceAll, ReplacesNonOverlappingLeftToRightWithoutRescanning) {
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "b", "bb"), "abbc");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("abc", "abc", ""), "");
    EXPECT_EQ(ReplaceAll("xAx", "a", "y"), "xAx");
}

} // namespace
