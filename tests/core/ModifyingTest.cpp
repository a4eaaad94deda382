#include "core/KeyItems.h"

#include "core/CheckpointTrail.h"
#include "core/TextLocale.h"
#include "core/WordRules.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

class ModifyingTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    void TearDown() override { SetTextLocale(""); }

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

TEST_F(ModifyingTest, CaseConversionFollowsTheLocale) {
    struct TCase {
        const char* Locale;
        const char* Text;
        const char* Upper;
        const char* Lower;
        const char* Capitalized;
    };
    const TCase cases[] = {
        {"en_US", "straße CAFÉ", "STRASSE CAFÉ", "straße café", "Straße Café"},
        {"en_US", "ΣΟΦΙΑΣ σοφία", "ΣΟΦΙΑΣ ΣΟΦΊΑ", "σοφιας σοφία", "Σοφιας Σοφία"},
        {"ru_RU", "купить Ёлку\u00a0бЕЗ", "КУПИТЬ ЁЛКУ\u00a0БЕЗ", "купить ёлку\u00a0без",
         "Купить Ёлку\u00a0Без"},
        {"tr_TR", "istanbul IŞIK", "İSTANBUL IŞIK", "istanbul ışık", "İstanbul Işık"},
        {"en_US", "istanbul IŞIK", "ISTANBUL IŞIK", "istanbul işik", "Istanbul Işik"},
        {"en_US", "NEW  york\te-mail a.b ǆem", "NEW  YORK\tE-MAIL A.B ǄEM", "new  york\te-mail a.b ǆem",
         "New  York\tE-mail A.b ǅem"},
        {"en_US", "éCOLE ÉTÉ", "ÉCOLE ÉTÉ", "école été", "École Été"},
        {"en_US", "", "", "", ""},
    };
    for (const auto& c : cases) {
        SetTextLocale(c.Locale);
        const auto converted = [&](void (TKeyItems::*convert)()) {
            TKeyItems l;
            Fill(l, {c.Text});
            (l.*convert)();
            return std::string(l.GetKeyItem(0).Text());
        };
        EXPECT_EQ(converted(&TKeyItems::ToUpperCase), c.Upper) << c.Locale << " " << c.Text;
        EXPECT_EQ(converted(&TKeyItems::ToLowerCase), c.Lower) << c.Locale << " " << c.Text;
        EXPECT_EQ(converted(&TKeyItems::CapitalizeWords), c.Capitalized) << c.Locale << " " << c.Text;
    }
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
