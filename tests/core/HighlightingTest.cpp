#include "core/KeyItems.h"

#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Indices = std::vector<int>;

Indices HighlightedIndices(const TKeyItems& list) {
    return Indices(list.Highlighted.begin(), list.Highlighted.end());
}

// The criterion spelled out term by term on the folded texts, the way a person would check it by hand.
bool NaiveMatch(std::string_view text, const Strings& terms, int position) {
    const std::string u = Folded(text);
    const std::size_t n = u.size();
    for (const auto& term : terms) {
        const std::string t = Folded(term);
        if (t.empty() || t.size() > n)
            continue;
        const std::size_t first = u.find(t);
        const bool hit = position == 0   ? u.compare(0, t.size(), t) == 0
                         : position == 1 ? u.compare(n - t.size(), t.size(), t) == 0
                         : position == 2 ? first != std::string::npos && first > 0 && first + t.size() < n
                         : position == 3 ? first != std::string::npos
                                         : false;
        if (hit)
            return true;
    }
    return false;
}

class HighlightingTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    Indices Pick(const Strings& terms, std::uint8_t position) {
        list.Highlighted.Clear();
        list.HighlightByTerms(terms, position);
        return HighlightedIndices(list);
    }
    Indices PickByWords(int n, std::uint8_t comparison) {
        list.Highlighted.Clear();
        list.HighlightByWordCount(n, comparison);
        return HighlightedIndices(list);
    }

    TKeyItems list;
};

TEST_F(HighlightingTest, TermPositionsByHand) {
    Fill(list, {"red shoes", "shoes red", "shoe"});
    EXPECT_EQ(Pick({"SHOES", "RED"}, TKeyItems::TermAtEnd), (Indices{0, 1}));
    EXPECT_EQ(Pick({"SHOES", "RED"}, TKeyItems::TermAtStart), (Indices{0, 1}));
    EXPECT_EQ(Pick({"SHOE"}, TKeyItems::TermAnywhere), (Indices{0, 1, 2}));
    EXPECT_EQ(Pick({"SHOE"}, TKeyItems::TermInMiddle), Indices{0});
    EXPECT_EQ(Pick({"SHOE"}, 4), Indices{});
    EXPECT_EQ(Pick({"SHOE"}, 255), Indices{});
}

TEST_F(HighlightingTest, TermsArePlainSubstringsMatchedIgnoringCase) {
    Fill(list, {"Redwood", "été rouge", "x", "ΣΟΦΊΑ και σοφία", "Ёлка"});
    EXPECT_EQ(Pick({"RED"}, TKeyItems::TermAtStart), Indices{0});
    EXPECT_EQ(Pick({"ÉTÉ"}, TKeyItems::TermAtStart), Indices{1});
    EXPECT_EQ(Pick({"red"}, TKeyItems::TermAnywhere), Indices{0});
    EXPECT_EQ(Pick({"σοφία"}, TKeyItems::TermAtEnd), Indices{3});
    EXPECT_EQ(Pick({"ΣΟΦΊΑ"}, TKeyItems::TermAtStart), Indices{3});
    EXPECT_EQ(Pick({"ёлка"}, TKeyItems::TermAnywhere), Indices{4});
    // A term is whole characters: the first byte of a two-byte character is no term of its own.
    EXPECT_EQ(Pick({"\xD0"}, TKeyItems::TermAnywhere), Indices{});
}

TEST_F(HighlightingTest, MiddleLooksAtTheFirstOccurrenceOnly) {
    Fill(list, {"abc", "bab", "ab", "red shoes and red", "shoes red and more"});
    EXPECT_EQ(Pick({"B"}, TKeyItems::TermInMiddle), Indices{0});
    EXPECT_EQ(Pick({"RED"}, TKeyItems::TermInMiddle), Indices{4});
}

TEST_F(HighlightingTest, ShortEntriesLongTermsEmptyTermsAndEmptyLists) {
    Fill(list, {"", "ab", "abcdef"});
    EXPECT_EQ(Pick({"ABCDEFG", "XYZW"}, TKeyItems::TermAnywhere), Indices{});
    EXPECT_EQ(Pick({"ABCDEFG", "CD"}, TKeyItems::TermInMiddle), Indices{2});
    EXPECT_EQ(Pick({}, TKeyItems::TermAtStart), Indices{});
    for (std::uint8_t position = 0; position < 4; ++position)
        EXPECT_EQ(Pick({""}, position), Indices{}) << int(position);
    TKeyItems empty;
    empty.HighlightByTerms({"A"}, TKeyItems::TermAnywhere);
    EXPECT_EQ(empty.Highlighted.Count(), 0);
}

// Also with the letters that fold into ASCII (long s, the Kelvin sign) and, in a Turkish locale, the dotted
// and dotless i, whose case variants the search spells out instead of folding the texts; and with terms
// long enough to have too many variants.
class HighlightingRandomTest : public HighlightingTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        HighlightingTest::SetUp();
        SetTextLocale(GetParam());
    }
    void TearDown() override { SetTextLocale(""); }
};

INSTANTIATE_TEST_SUITE_P(Locales, HighlightingRandomTest, ::testing::Values("", "tr_TR"));

// Texts of ASCII alone, long and short, too: whether they hold a term is settled without folding them. And œ,
// whose first byte is that of ſ.
TEST_P(HighlightingRandomTest, AgreesWithNaiveCheckOnRandomLists) {
    TRandomText random(3);
    for (const auto& text : random.Texts("abAB éÉ-ΣσςЁёsSſkK\u212AiIİıœ", 400, 12))
        list.AddKeyword(text);
    for (const auto& text : random.Texts("abAB éÉ-ΣσςЁёsSſkK\u212AiIİıœ", 100, 30))
        list.AddKeyword(text);
    for (const auto& text : random.Texts("abAB -sSkKiI", 400, 80))
        list.AddKeyword(text);
    list.AddKeyword(std::string(3000, 'a') + "b");
    for (int round = 0; round < 40; ++round) {
        Strings terms = round % 2 == 0
                            ? random.Texts("ABÉ Σςёksſİıi", 1 + random.Below(8), round % 7 == 3 ? 12 : 5)
                            : random.Texts("abAB skI", 1 + random.Below(3), round % 3 == 0 ? 1 : 4);
        if (round % 4 == 1)
            terms.push_back("I");
        if (round % 5 == 0)
            terms.push_back(std::string(1001, 'A'));
        for (std::uint8_t position = 0; position < 5; ++position) {
            Indices expected;
            for (int i = 0; i < list.Count(); ++i)
                if (NaiveMatch(list.GetKeyItem(i).Text(), terms, position))
                    expected.push_back(i);
            EXPECT_EQ(Pick(terms, position), expected) << "round " << round << " position " << int(position);
        }
    }
}

// A long list is searched on two threads, each half with a matcher of its own; the picks keep list order.
TEST_F(HighlightingTest, LongListsAgreeWithNaiveCheck) {
    TRandomText random(4);
    for (const auto& text : random.Texts("abAB éÉ-Ёё", 70000, 12))
        list.AddKeyword(text);
    const Strings terms = {"AB", "ÉA", "ёa"};
    for (std::uint8_t position = 0; position < 4; ++position) {
        Indices expected;
        for (int i = 0; i < list.Count(); ++i)
            if (NaiveMatch(list.GetKeyItem(i).Text(), terms, position))
                expected.push_back(i);
        EXPECT_EQ(Pick(terms, position), expected) << int(position);
    }
}

// Short texts are read sixteen bytes at a time, and a character that folds into ASCII, or a rare spelling of
// a term's letter, is told by bytes that may stand on either side of a chunk's end: one at every place of
// texts up to 80 bytes, beside look-alikes that must not count.
TEST_F(HighlightingTest, RareSpellingsCountAtEveryPlace) {
    struct TCase {
        const char* Term;
        const char* Inserted;
        bool Found;
    };
    const TCase cases[] = {
        {"shoes", "ſhoes", true},       {"kit", "\u212Ait", true}, {"shoes", "œhoes", false},
        {"обувь", "ᲂбувь", true}, {"обувь", "ОБУВЬ", true},  {"обувь", "обувъ", false},
    };
    for (const TCase& c : cases) {
        TKeyItems texts;
        for (std::size_t before = 0; before <= 70; ++before)
            for (const std::size_t after : {0, 5})
                texts.AddKeyword(std::string(before, 'x') + c.Inserted + std::string(after, 'y'));
        texts.HighlightByTerms({c.Term}, TKeyItems::TermAnywhere);
        EXPECT_EQ(texts.Highlighted.Count(), c.Found ? texts.Count() : 0) << c.Inserted;
    }
}

TEST_F(HighlightingTest, AppendsToHighlightedWithoutChangingEntries) {
    Fill(list, {"a", "b"});
    list.Highlighted.Add(7);
    list.HighlightByTerms({"B"}, TKeyItems::TermAnywhere);
    list.HighlightByWordCount(0, TKeyItems::WordsMoreThan);
    EXPECT_EQ(HighlightedIndices(list), (Indices{7, 1, 0, 1}));
    EXPECT_EQ(Texts(list), (Strings{"a", "b"}));
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(HighlightingTest, WordCountComparisons) {
    Fill(list, {"a", "a b", "a\tb  c", "", "  "});
    EXPECT_EQ(PickByWords(2, TKeyItems::WordsMoreThan), Indices{2});
    EXPECT_EQ(PickByWords(2, TKeyItems::WordsLessThan), (Indices{0, 3, 4}));
    EXPECT_EQ(PickByWords(2, TKeyItems::WordsExactly), Indices{1});
    EXPECT_EQ(PickByWords(0, TKeyItems::WordsExactly), (Indices{3, 4}));
    EXPECT_EQ(PickByWords(-5, TKeyItems::WordsMoreThan), (Indices{0, 1, 2, 3, 4}));
    EXPECT_EQ(PickByWords(2, 3), Indices{});
}

} // namespace
