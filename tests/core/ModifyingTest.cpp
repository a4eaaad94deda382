#include "KeyItems.h"

#include "CheckpointTrail.h"
#include "CodePage.h"
#include "RandomText.h"
#include "TestSupport.h"
#include "WordRules.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class ModifyingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetActiveCodePage(TCodePage::Get(1252));
        UnwindTrail(true);
    }
    void TearDown() override { SetActiveCodePage(TCodePage::Get(1252)); }

    TKeyItems list;
};

TEST_F(ModifyingTest, AddTextInPlaceGluesWithoutBlank) {
    Fill(list, {"red shoes", ""});
    list.AppendText(" sale", false);
    list.AppendText("s", false);
    list.PrependText("buy ", false);
    EXPECT_EQ(Texts(list), (Strings{"buy red shoes sales", "buy  sales"}));
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(ModifyingTest, AddTextAsNewKeepsOldEntriesAndAppendsInOrder) {
    Fill(list, {"a", "b", "c"});
    list.PrependText("x ", true);
    EXPECT_EQ(Texts(list), (Strings{"a", "b", "c", "x a", "x b", "x c"}));
    list.AppendText("!", true);
    EXPECT_EQ(list.Count(), 12);
    EXPECT_EQ(list.GetKeyItem(11).Text(), "x c!");
    TKeyItems empty;
    empty.PrependText("x", true);
    empty.AppendText("x", false);
    EXPECT_EQ(empty.Count(), 0);
}

TEST_F(ModifyingTest, AddTextMayComeFromTheListItself) {
    Fill(list, {"ab", "c"});
    const std::string_view own = list.GetKeyItem(0).Text();
    list.AppendText(own, false);
    EXPECT_EQ(Texts(list), (Strings{"abab", "cab"}));
}

TEST_F(ModifyingTest, CaseConversionUsesTheActiveCodePage) {
    std::string every(256, ' ');
    for (int b = 0; b < 256; ++b)
        every[static_cast<std::size_t>(b)] = static_cast<char>(b);
    for (int id : {1251, 1252}) {
        const TCodePage& cp = TCodePage::Get(id);
        SetActiveCodePage(cp);
        TKeyItems l;
        Fill(l, {every, every});
        l.ToUpperCase();
        EXPECT_EQ(l.GetKeyItem(0).Text(), cp.UpperCase(every)) << id;
        l.ToLowerCase();
        EXPECT_EQ(l.GetKeyItem(1).Text(), cp.LowerCase(cp.UpperCase(every))) << id;
    }
    EXPECT_EQ(TCodePage::Get(1251).UpperCase("\xEC\xE0\xE3 \xB8"), "\xCC\xC0\xC3 \xA8");
}

TEST_F(ModifyingTest, CapitalizeWordsTouchesAsciiLettersOnly) {
    Fill(list, {"NEW  york", " abc", "e-mail SHOP",
                "\xE9"
                "COLE \xC9T\xC9",
                "a\tb.c", ""});
    list.CapitalizeWords();
    EXPECT_EQ(Texts(list), (Strings{"New  York", " Abc", "E-mail Shop",
                                    "\xE9"
                                    "cole \xC9t\xC9",
                                    "A\tB.c", ""}));
}

TEST_F(ModifyingTest, ReplaceTextIsCaseSensitiveAndLeftToRight) {
    Fill(list, {"shoe", "Shoe", "shoeshoe", "aaa", "x", "ab ab"});
    list.ReplaceText("shoe", "boot");
    list.ReplaceText("aa", "b");
    list.ReplaceText("x", "");
    list.ReplaceText("ab", "abab");
    EXPECT_EQ(Texts(list), (Strings{"boot", "Shoe", "bootboot", "ba", "", "abab abab"}));
    list.ReplaceText("", "y");
    EXPECT_EQ(list.GetKeyItem(0).Text(), "boot");
}

TEST_F(ModifyingTest, SetMatchTypeConvertsBetweenForms) {
    const Strings texts{"[red shoes]", " 'men's shoes' ", "\"x\"", "", "[ ]"};
    const std::vector<Strings> expected{{"\"red shoes\"", "\"men's shoes\"", "\"x\"", "\"\"", "\"\""},
                                        {"[red shoes]", "[men's shoes]", "[x]", "[]", "[]"},
                                        {"red shoes", "men's shoes", "x", "", ""},
                                        {"red shoes", "men's shoes", "x", "", ""}};
    for (std::uint8_t type = 0; type < 4; ++type) {
        TKeyItems l;
        for (const auto& t : texts)
            l.AddKeyword(t);
        l.SetMatchType(type);
        EXPECT_EQ(Texts(l), expected[type]) << int(type);
    }
}

TEST_F(ModifyingTest, UnchangedEntriesKeepTheirWordCount) {
    Fill(list, {"a b", "A B"});
    list.GetKeyItem(0).WordCount();
    list.GetKeyItem(1).WordCount();
    list.ToLowerCase();
    EXPECT_EQ(list.GetKeyItem(0).CachedWordCount(), 2);
    EXPECT_EQ(list.GetKeyItem(1).CachedWordCount(), -1);
}

TEST_F(ModifyingTest, LongTextsSurviveRepeatedGrowth) {
    Fill(list, {std::string(300000, 'a'), "b"});
    for (int i = 0; i < 20; ++i)
        list.AppendText(std::string(10000, 'c'), false);
    list.SetMatchType(ExactMatch);
    list.ReplaceText("a", "");
    const std::string tail(200000, 'c');
    EXPECT_EQ(Texts(list), (Strings{"[" + tail + "]", "[b" + tail + "]"}));
}

} // namespace
