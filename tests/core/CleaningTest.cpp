#include "core/KeyItems.h"

#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/Utf8.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// Removal of one term the long way: compare the folded term at every character.
std::string NaiveRemove(const std::string& text, const std::string& term) {
    const std::string t = Folded(term);
    if (t.empty())
        return text;
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t end = i;
        std::string folded;
        while (end < text.size() && folded.size() < t.size())
            Utf8::Append(FoldChar(Utf8::Next(text, end)), folded);
        if (folded == t) {
            i = end;
            continue;
        }
        const std::size_t start = i;
        Utf8::Next(text, i);
        out.append(text, start, i - start);
    }
    return out;
}

class CleaningTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }

    // Runs an operation on every text of a random list and on each text alone through reference, and
    // compares; also checks what no cleaning operation may touch.
    template <class TOperation, class TReference>
    void ExpectMatchesReference(const Strings& texts, TOperation operation, TReference reference) {
        TKeyItems list;
        for (const auto& t : texts)
            list.AddKeyword(t);
        list.Name = "L";
        list.SortOrder = 3;
        list.Highlighted.Add(1);
        operation(list);
        ASSERT_EQ(list.Count(), static_cast<int>(texts.size()));
        for (std::size_t i = 0; i < texts.size(); ++i)
            EXPECT_EQ(list.GetKeyItem(static_cast<int>(i)).Text(), reference(texts[i])) << texts[i];
        EXPECT_EQ(list.Name, "L");
        EXPECT_EQ(list.SortOrder, 3);
        EXPECT_EQ(list.Highlighted.Count(), 1);
        EXPECT_TRUE(TrailEmpty());
    }

    Strings RandomTexts() {
        TRandomText random(5);
        Strings texts = random.Texts("aab  \t.\xE9\xC9Z", 300, 20);
        for (int i = 0; i < 100; ++i)
            texts.push_back(random.Bytes(40));
        texts.push_back(std::string(100000, ' ') + "x" + std::string(100000, '\t'));
        return texts;
    }
};

std::string Removed(std::string_view text, const Strings& terms) {
    TKeyItems list;
    list.AddKeyword(text);
    list.RemoveTerms(terms);
    return std::string(list.GetKeyItem(0).Text());
}

TEST_F(CleaningTest, RemoveTermsByHand) {
    EXPECT_EQ(Removed("Shoes shop", {"SHOE"}), "s shop");
    EXPECT_EQ(Removed("aabcb", {"ab", "c"}), "ab");
    EXPECT_EQ(Removed("buy cheap shoes", {"cheap"}), "buy  shoes");
    EXPECT_EQ(Removed("ÉTÉ été", {"éTé"}), " ");
    EXPECT_EQ(Removed("купить ОБУВЬ обувь", {"Обувь"}), "купить  ");
    EXPECT_EQ(Removed("", {"a"}), "");
}

TEST_F(CleaningTest, RemoveTermsAppliesTermsInOrderIgnoringCase) {
    TRandomText random(9);
    const Strings texts = random.Texts("abAB éÉσΣςK\u212AёsSſ", 300, 16);
    for (int round = 0; round < 20; ++round) {
        const Strings terms = random.Texts("aBÉ ΣkЁs", 1 + random.Below(6), 3);
        ExpectMatchesReference(
            texts, [&](TKeyItems& l) { l.RemoveTerms(terms); },
            [&](const std::string& text) {
                std::string out = text;
                for (const auto& t : terms)
                    out = NaiveRemove(out, t);
                return out;
            });
    }
}

TEST_F(CleaningTest, RemoveTermsWithNoTermsChangesNothingAndKeepsWordCounts) {
    TKeyItems list;
    Fill(list, {"a b", "c"});
    EXPECT_EQ(list.GetKeyItem(0).WordCount(), 2);
    list.RemoveTerms({});
    list.RemoveTerms({""});
    list.RemoveTerms({"x"});
    EXPECT_EQ(Texts(list), (Strings{"a b", "c"}));
    EXPECT_EQ(list.GetKeyItem(0).CachedWordCount(), 2);
    list.RemoveTerms({"B"});
    EXPECT_EQ(list.GetKeyItem(0).CachedWordCount(), -1);
}

TEST_F(CleaningTest, CollapseSpacesByHandAndAgainstReference) {
    TKeyItems list;
    Fill(list, {"   ", "a\t b", "\t  a  ", "ab"});
    list.CollapseSpaces();
    EXPECT_EQ(Texts(list), (Strings{" ", "a\tb", "\ta ", "ab"}));
    // The only pair of blanks, or the only character beyond ASCII, first or last in texts of every length up
    // to either side of 64 bytes.
    Strings texts = RandomTexts();
    for (std::size_t length = 2; length <= 80; ++length)
        for (const std::string two : {" \t", "\xC3\xA9"}) {
            texts.push_back(std::string(length - 2, 'a') + two);
            texts.push_back(two + std::string(length - 2, 'b'));
        }
    ExpectMatchesReference(
        texts, [](TKeyItems& l) { l.CollapseSpaces(); },
        [](std::string text) {
            text.erase(
                std::unique(text.begin(), text.end(), [](char a, char b) { return Blank(a) && Blank(b); }),
                text.end());
            return text;
        });
}

// Long lists are rewritten on two threads, each text over itself; the list still accounts every byte.
TEST_F(CleaningTest, LongListsAreRewrittenInPlaceLikeShortOnes) {
    const Strings texts = TRandomText(9).Texts("aab  \t.\xE9\xC9Z", 70000, 20);
    ExpectMatchesReference(
        texts, [](TKeyItems& l) { l.CollapseSpaces(); },
        [](std::string text) {
            text.erase(
                std::unique(text.begin(), text.end(), [](char a, char b) { return Blank(a) && Blank(b); }),
                text.end());
            return text;
        });
    TKeyItems list;
    for (const auto& t : texts)
        list.AddKeyword(t);
    list.CollapseRepeats();
    std::size_t bytes = 0;
    for (int i = 0; i < list.Count(); ++i)
        bytes += list.GetKeyItem(i).Text().size();
    EXPECT_EQ(list.TextBytes(), bytes);
}

TEST_F(CleaningTest, CollapseRepeatsByHandAndAgainstReference) {
    TKeyItems list;
    Fill(list, {"aaa  bbb", "2000", "Aa", "book"});
    list.CollapseRepeats();
    EXPECT_EQ(Texts(list), (Strings{"a b", "20", "Aa", "bok"}));
    ExpectMatchesReference(
        RandomTexts(), [](TKeyItems& l) { l.CollapseRepeats(); },
        [](std::string text) {
            text.erase(std::unique(text.begin(), text.end()), text.end());
            return text;
        });
}

TEST_F(CleaningTest, RemoveCharsByHandAndAgainstReference) {
    TKeyItems list;
    Fill(list, {"mp3 player 2", "123"});
    list.RemoveChars(TCharSet{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    EXPECT_EQ(Texts(list), (Strings{"mp player ", ""}));
    const TCharSet set{0, ' ', 'a', '.'};
    ExpectMatchesReference(
        RandomTexts(), [&](TKeyItems& l) { l.RemoveChars(set); },
        [&](std::string text) {
            std::erase_if(text, [&](char c) { return set.Contains(c); });
            return text;
        });
}

TEST_F(CleaningTest, TrimCharsByHandAndAgainstReference) {
    TKeyItems list;
    Fill(list, {"..shoes. .", "...", "", "a. .b"});
    list.TrimChars(TCharSet{' ', '.'});
    EXPECT_EQ(Texts(list), (Strings{"shoes", "", "", "a. .b"}));
    const TCharSet set{' ', '\t', 'a'};
    ExpectMatchesReference(
        RandomTexts(), [&](TKeyItems& l) { l.TrimChars(set); },
        [](const std::string& text) {
            const auto first = text.find_first_not_of(" \ta");
            if (first == std::string::npos)
                return std::string();
            return text.substr(first, text.find_last_not_of(" \ta") - first + 1);
        });
    ExpectMatchesReference(
        RandomTexts(), [](TKeyItems& l) { l.TrimChars(TCharSet{}); },
        [](const std::string& text) { return text; });
}

TEST_F(CleaningTest, EmptyListStaysEmpty) {
    TKeyItems list;
    list.RemoveTerms({"A"});
    list.CollapseSpaces();
    list.CollapseRepeats();
    list.RemoveChars(TCharSet{'a'});
    list.TrimChars(TCharSet{'a'});
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
