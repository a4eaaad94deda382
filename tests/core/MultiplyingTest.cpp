#include "core/KeyItems.h"

#include "core/CheckpointTrail.h"
#include "core/KeyboardNeighbours.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "core/WordRules.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace {

using Strings = std::vector<std::string>;

class MultiplyingTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    void TearDown() override { UnwindTrail(true); }

    Strings Misspelled(const std::string& phrase, int kinds) {
        TKeyItems target;
        AddMisspellings({phrase}, kinds, target);
        return Texts(target);
    }
    Strings Recombined(const Strings& phrases, int limit) {
        TKeyItems target;
        RecombineWords(phrases, limit, target);
        return Texts(target);
    }
};

bool Alnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The four generators written from their definitions, position by position.
Strings NaiveVariants(const std::string& p, int kinds) {
    Strings out{p};
    const std::size_t n = p.size();
    if (kinds & DoubledChars)
        for (std::size_t i = 0; i < n; ++i)
            if (Alnum(p[i]))
                out.push_back(p.substr(0, i) + p[i] + p[i] + p.substr(i + 1));
    if (kinds & SwappedChars)
        for (std::size_t i = 0; i + 1 < n; ++i)
            if (Alnum(p[i]))
                out.push_back(p.substr(0, i) + p[i + 1] + p[i] + p.substr(i + 2));
    if (kinds & MissingChars)
        for (std::size_t i = 0; i < n; ++i)
            if (Alnum(p[i]))
                out.push_back(p.substr(0, i) + p.substr(i + 1));
    if (kinds & QwertyErrors)
        for (std::size_t i = 0; i < n; ++i)
            for (char32_t k : KeyboardNeighbours(static_cast<std::uint8_t>(p[i])))
                out.push_back(p.substr(0, i) + static_cast<char>(k) + p.substr(i + 1));
    return out;
}

// What a list of added entries takes under the memory guard's accounting.
std::size_t MemoryOf(const Strings& added) {
    std::size_t bytes = added.size() * sizeof(TKeyItem);
    for (const auto& t : added)
        bytes += t.size();
    return bytes;
}

TEST_F(MultiplyingTest, MisspellingsByHand) {
    EXPECT_EQ(Misspelled("ab", DoubledChars), (Strings{"ab", "aab", "abb"}));
    EXPECT_EQ(Misspelled("ab", SwappedChars), (Strings{"ab", "ba"}));
    EXPECT_EQ(Misspelled("ab", MissingChars), (Strings{"ab", "b", "a"}));
    EXPECT_EQ(Misspelled("ab", QwertyErrors),
              (Strings{"ab", "zb", "sb", "qb", "wb", "av", "an", "ag", "ah"}));
    EXPECT_EQ(Misspelled("a b", SwappedChars), (Strings{"a b", " ab"}));
    EXPECT_EQ(Misspelled("P1", QwertyErrors), (Strings{"P1", "O1", "01", "L1"}));
    EXPECT_EQ(Misspelled("red shoes", 0), Strings{"red shoes"});
    EXPECT_EQ(Misspelled("", 15), Strings{""});
    EXPECT_EQ(Misspelled("book", DoubledChars), (Strings{"book", "bbook", "boook", "boook", "bookk"}));
    EXPECT_EQ(Misspelled("ab", MissingChars | DoubledChars), (Strings{"ab", "aab", "abb", "b", "a"}));
}

TEST_F(MultiplyingTest, QwertyRowsAreUpperCasedForCapitals) {
    EXPECT_EQ(KeyboardNeighbours('e'), U"wrsd34");
    EXPECT_EQ(KeyboardNeighbours('E'), U"WRSD34");
    EXPECT_EQ(KeyboardNeighbours('P'), U"O0L");
    EXPECT_EQ(KeyboardNeighbours('5'), U"");
    EXPECT_EQ(KeyboardNeighbours(U'\xE9'), U"");
    for (char32_t c = 'a'; c <= 'z'; ++c) {
        std::u32string upper(KeyboardNeighbours(c));
        for (auto& u : upper)
            u = (u >= 'a' && u <= 'z') ? u - 32 : u;
        EXPECT_EQ(KeyboardNeighbours(c - 32), upper) << static_cast<char>(c);
    }
}

TEST_F(MultiplyingTest, MisspellingsAgreeWithTheDefinitionsForEveryKindSet) {
    TRandomText random(23);
    Strings phrases = random.Texts("aZ9 .\xE9-q", 40, 9);
    for (int kinds = 0; kinds < 16; ++kinds) {
        TKeyItems target;
        target.AddKeyword("old");
        AddMisspellings(phrases, kinds, target);
        Strings expected{"old"};
        for (const auto& p : phrases)
            for (auto& v : NaiveVariants(p, kinds))
                expected.push_back(std::move(v));
        EXPECT_EQ(Texts(target), expected) << kinds;
    }
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(MultiplyingTest, NextPermutationWalksLexicographicOrder) {
    std::vector<int> sequence{2, 0, 4, 3, 1};
    std::vector<int> reference = sequence;
    bool advanced = true;
    while (advanced) {
        advanced = std::next_permutation(reference.begin(), reference.end());
        EXPECT_EQ(NextPermutation(sequence), advanced);
        EXPECT_EQ(sequence, advanced ? reference : (std::vector<int>{4, 3, 2, 1, 0}));
    }
    std::vector<int> none;
    std::vector<int> one{4};
    EXPECT_FALSE(NextPermutation(none));
    EXPECT_FALSE(NextPermutation(one));
}

TEST_F(MultiplyingTest, WordPermutationsStartWithThePhraseOrder) {
    Strings seen;
    WordPermutations({"c", "a", "b"}, [&](std::string_view t) { seen.emplace_back(t); });
    EXPECT_EQ(seen, (Strings{"c a b", "c b a", "a c b", "a b c", "b c a", "b a c"}));
}

TEST_F(MultiplyingTest, RecombineWordsByHand) {
    EXPECT_EQ(Recombined({"red  shoes"}, 5), (Strings{"red shoes", "shoes red"}));
    EXPECT_EQ(Recombined({"red.shoes"}, 5), (Strings{"red shoes", "shoes red"}));
    EXPECT_EQ(Recombined({"a b c d e"}, 4), Strings{});
    EXPECT_EQ(Recombined({"shoes"}, 2), Strings{"shoes"});
    EXPECT_EQ(Recombined({"", " . ", "x x"}, 2), (Strings{"", "", "x x", "x x"}));
    EXPECT_EQ(Recombined({"a"}, 0), Strings{});
    EXPECT_EQ(Recombined({"a", ""}, -3), Strings{});
    EXPECT_EQ(Recombined({}, 5), Strings{});
    EXPECT_EQ(Recombined({"a\tb c.d e"}, 7).size(), 120u);
    TKeyItems list;
    Fill(list, {"red shoes"});
    RecombineWords({"red shoes"}, 5, list);
    EXPECT_EQ(Texts(list), (Strings{"red shoes", "red shoes", "shoes red"}));
}

TEST_F(MultiplyingTest, ReplaceAndDuplicateAddsChangedCopiesOnly) {
    TKeyItems list;
    Fill(list, {"red shoes", "Red hat", "red red"});
    list.ReplaceAndDuplicate("red", "blue");
    EXPECT_EQ(Texts(list), (Strings{"red shoes", "Red hat", "red red", "blue shoes", "blue blue"}));
    list.ReplaceAndDuplicate("hat", "hat");
    list.ReplaceAndDuplicate("", "x");
    EXPECT_EQ(list.Count(), 5);
    list.ReplaceAndDuplicate(" ", "");
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list.GetKeyItem(9).Text(), "blueblue");
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(MultiplyingTest, AddMatchTypeCopiesThenRemovesDuplicates) {
    TKeyItems list;
    Fill(list, {"shoes", "\"shoes\""});
    list.AddMatchTypeCopies(PhraseMatch);
    EXPECT_EQ(Texts(list), (Strings{"shoes", "\"shoes\""}));
    TKeyItems exact;
    Fill(exact, {"Shoes", "shoes", "[boots]", "hat"});
    exact.AddMatchTypeCopies(ExactMatch);
    EXPECT_EQ(Texts(exact), (Strings{"Shoes", "[boots]", "hat", "[Shoes]", "[hat]"}));
}

TEST_F(MultiplyingTest, MultiplyingAnEmptySourceAddsNothing) {
    TKeyItems list;
    AddMisspellings({}, 15, list);
    RecombineWords({}, 7, list);
    list.ReplaceAndDuplicate("a", "b");
    list.AddMatchTypeCopies(PhraseMatch);
    EXPECT_EQ(list.Count(), 0);
}

// The memory guard: the budget that the result needs exactly is enough, one byte less changes nothing.
class MemoryGuardTest : public MultiplyingTest {
protected:
    template <class TOperation> void ExpectExactBudget(const Strings& before, TOperation operation) {
        TKeyItems reference;
        for (const auto& t : before)
            reference.AddKeyword(t);
        operation(reference, std::size_t{1} << 40);
        const Strings after = Texts(reference);
        const std::size_t needed =
            MemoryOf(Strings(after.begin() + static_cast<long>(before.size()), after.end()));

        TKeyItems list;
        for (const auto& t : before)
            list.AddKeyword(t);
        UnwindTrail(true);
        EXPECT_THROW(operation(list, needed - 1), EMemoryBudgetError);
        EXPECT_EQ(Texts(list), before);
        UnwindTrail(true);
        operation(list, needed);
        EXPECT_EQ(Texts(list), after);
    }
};

TEST_F(MemoryGuardTest, EveryMultiplyingOperationCountsExactly) {
    const Strings phrases{"red shoes", "a.b c", "", "buy 2 boots"};
    ExpectExactBudget({"x"}, [&](TKeyItems& l, std::size_t b) { AddMisspellings(phrases, 15, l, b); });
    ExpectExactBudget({"x"}, [&](TKeyItems& l, std::size_t b) { RecombineWords(phrases, 3, l, b); });
    ExpectExactBudget(phrases, [](TKeyItems& l, std::size_t b) { l.ReplaceAndDuplicate("b", "xyz", b); });
    ExpectExactBudget(phrases, [](TKeyItems& l, std::size_t b) { l.ReplaceAndDuplicate("oo", "", b); });
    ExpectExactBudget(phrases, [](TKeyItems& l, std::size_t b) { l.PrependText("new ", true, b); });
    ExpectExactBudget(phrases, [](TKeyItems& l, std::size_t b) { l.AppendText(" x", true, b); });
}

TEST_F(MemoryGuardTest, RecombiningLongPhrasesIsRefusedWithTheCount) {
    TKeyItems list;
    Fill(list, {"keep me"});
    const Strings phrases(1000, "one two three four five six seven");
    try {
        RecombineWords(phrases, 7, list, 100'000'000);
        FAIL() << "no error";
    } catch (const EMemoryBudgetError& e) {
        EXPECT_NE(e.Message.find("5,040,000 new entries"), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("Nothing was changed."), std::string::npos) << e.Message;
    }
    EXPECT_EQ(Texts(list), Strings{"keep me"});
    EXPECT_EQ(TopCheckpoint(), "d114");
}

TEST_F(MemoryGuardTest, GuardsNameTheirCheckpointAndSurviveAbsurdRequests) {
    TKeyItems list;
    Fill(list, {"abc"});
    EXPECT_THROW(AddMisspellings(Strings(10, std::string(100000, 'q')), 15, list, 1 << 20),
                 EMemoryBudgetError);
    EXPECT_EQ(TopCheckpoint(), "d132");
    UnwindTrail(true);
    EXPECT_THROW(list.AddMatchTypeCopies(ExactMatch, 10), EMemoryBudgetError);
    EXPECT_EQ(TopCheckpoint(), "d126");
    UnwindTrail(true);
    EXPECT_THROW(list.AppendText(std::string(1000, 'x'), false, 100), EMemoryBudgetError);
    EXPECT_EQ(TopCheckpoint(), "d087");
    UnwindTrail(true);
    // 30! orders of a 30-word phrase overflow any counter; the guard must still refuse them.
    std::string words;
    for (int i = 0; i < 30; ++i)
        words += "w ";
    try {
        RecombineWords({words}, 100, list, SIZE_MAX);
        FAIL() << "no error";
    } catch (const EMemoryBudgetError& e) {
        EXPECT_NE(e.Message.find("more than"), std::string::npos) << e.Message;
    }
    UnwindTrail(true);
    // Within budget but beyond what one list can hold.
    EXPECT_THROW(RecombineWords(Strings(1000, "a b c d e f g h i j k l"), 12, list, SIZE_MAX),
                 EMemoryBudgetError);
    EXPECT_EQ(Texts(list), Strings{"abc"});
}

} // namespace
