#include "core/ListComparison.h"

#include "core/CaseFolding.h"
#include "core/CheckpointTrail.h"
#include "core/Utf8.h"
#include "core/WordFrequency.h"
#include "core/WordRules.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

using Strings = std::vector<std::string>;
using Indices = std::vector<int>;

// Letters that fold in unusual ways (ς and Σ to σ, the Kelvin sign to k, ſ to s), blanks of three kinds
// and punctuation.
constexpr std::string_view Alphabet = "aAsSkKſσςΣéЁё \t\u00A0,-";

void Load(TKeyItems& list, const Strings& texts) {
    list.Clear();
    list.Highlighted.Clear();
    for (const auto& t : texts)
        list.AddKeyword(t);
}

Indices HighlightedOf(const TKeyItems& list) {
    return Indices(list.Highlighted.begin(), list.Highlighted.end());
}

// The model's view of a text: folded characters, each run of blanks one ' ', none at the ends.
std::u32string Words(std::string_view text) {
    const std::string folded = Folded(text);
    std::u32string out;
    bool gap = false;
    for (std::size_t i = 0; i < folded.size();) {
        const char32_t c = Utf8::Next(folded, i);
        if (IsWordBlank(c)) {
            gap = !out.empty();
            continue;
        }
        if (gap)
            out += U' ';
        gap = false;
        out += c;
    }
    return out;
}

bool WordChar(char32_t c) {
    return u_isalnum(static_cast<UChar32>(c)) || (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_M_MASK);
}

std::vector<std::u32string> SplitWords(const std::u32string& spaced) {
    std::vector<std::u32string> words(1);
    for (const char32_t c : spaced)
        if (c == U' ')
            words.emplace_back();
        else
            words.back() += c;
    if (words.back().empty())
        words.pop_back();
    return words;
}

bool HoldsWholeWords(std::string_view text, const Strings& phrases) {
    const std::u32string t = Words(text);
    for (const auto& phrase : phrases) {
        const std::u32string p = Words(phrase);
        if (p.empty())
            continue;
        for (std::size_t at = 0; at + p.size() <= t.size(); ++at)
            if (t.compare(at, p.size(), p) == 0 && (at == 0 || !WordChar(t[at - 1])) &&
                (at + p.size() == t.size() || !WordChar(t[at + p.size()])))
                return true;
    }
    return false;
}

// Random texts, with entries of the first list in other case among the second's, and repeats.
struct TLists {
    Strings List;
    Strings Other;
};

TLists RandomLists(std::uint32_t seed, std::size_t maxLength) {
    TRandomText random(seed);
    TLists lists;
    lists.List = random.Texts(Alphabet, random.Below(40), maxLength);
    lists.Other = random.Texts(Alphabet, random.Below(20), maxLength);
    for (std::size_t n = random.Below(10); n > 0 && !lists.List.empty(); --n) {
        std::string taken = lists.List[random.Below(lists.List.size())];
        for (auto& c : taken)
            c = random.Below(2) ? AsciiUpper(c) : c;
        lists.Other.push_back(taken);
        lists.Other.push_back(taken);
    }
    if (!lists.Other.empty())
        std::swap(lists.Other.front(), lists.Other[random.Below(lists.Other.size())]);
    return lists;
}

class ListComparisonTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    TKeyItems list;
    TKeyItems other;

    // Highlighting and deleting by the words of negatives (or, when self, of the texts themselves) pick the
    // texts the plain model picks.
    void ExpectNegativeWordsAsModel(const Strings& texts, const Strings& negatives, bool self) {
        Indices holding;
        Strings kept;
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (HoldsWholeWords(texts[i], negatives))
                holding.push_back(static_cast<int>(i));
            else
                kept.push_back(texts[i]);
        Load(list, texts);
        HighlightHoldingWords(list, negatives);
        EXPECT_EQ(HighlightedOf(list), holding);
        Load(other, negatives);
        EXPECT_EQ(DeleteContainingWordsOf(list, self ? list : other), static_cast<int>(holding.size()));
        EXPECT_EQ(Texts(list), kept);
    }
};

TEST_F(ListComparisonTest, AcrossListsAgainstSetsOfFoldedTexts) {
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        const auto [texts, others] = RandomLists(seed, 4);
        const bool self = seed % 5 == 0;
        const Strings& otherTexts = self ? texts : others;
        std::set<std::string> otherSet;
        for (const auto& t : otherTexts)
            otherSet.insert(Folded(t));
        Strings found, lacking, united = texts;
        Indices foundAt;
        std::set<std::string> unitedSet;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            (otherSet.count(Folded(texts[i])) ? found : lacking).push_back(texts[i]);
            if (otherSet.count(Folded(texts[i])))
                foundAt.push_back(static_cast<int>(i));
            unitedSet.insert(Folded(texts[i]));
        }
        for (const auto& t : otherTexts)
            if (unitedSet.insert(Folded(t)).second)
                united.push_back(t);
        const auto run = [&](auto operation) {
            Load(list, texts);
            Load(other, others);
            return operation(list, self ? list : other);
        };
        SCOPED_TRACE(seed);
        EXPECT_EQ(run([](TKeyItems& l, TKeyItems& o) { return DeleteFoundIn(l, o); }),
                  static_cast<int>(found.size()));
        EXPECT_EQ(Texts(list), lacking);
        EXPECT_EQ(run([](TKeyItems& l, TKeyItems& o) { return KeepOnlyFoundIn(l, o); }),
                  static_cast<int>(lacking.size()));
        EXPECT_EQ(Texts(list), found);
        EXPECT_EQ(run([](TKeyItems& l, TKeyItems& o) { return AddMissingFrom(l, o); }),
                  static_cast<int>(united.size() - texts.size()));
        EXPECT_EQ(Texts(list), united);
        run([](TKeyItems& l, TKeyItems& o) {
            l.Highlighted.Add(-7);
            HighlightFoundIn(l, o);
            return 0;
        });
        foundAt.insert(foundAt.begin(), -7);
        EXPECT_EQ(HighlightedOf(list), foundAt);
    }
}

TEST_F(ListComparisonTest, DeletingKeepsTheListsHighlight) {
    Fill(list, {"a", "b", "c"});
    Fill(other, {"B"});
    list.Highlighted.Add(2);
    EXPECT_EQ(DeleteFoundIn(list, other), 1);
    EXPECT_EQ(Texts(list), (Strings{"a", "c"}));
    EXPECT_EQ(HighlightedOf(list), (Indices{2}));
}

TEST_F(ListComparisonTest, NegativeWordsByHand) {
    Fill(list, {"free shipping", "freestyle", "Free, shipping", "get (FREE)", "shoes free", "carefree",
                "fast  free\tshipping", "free-shipping", "shipping free", "ſhip σhoes"});
    Fill(other, {"FREE SHIPPING", "  ", "", "ship ΣHOES", "STYLE"});
    EXPECT_EQ(DeleteContainingWordsOf(list, other), 3);
    EXPECT_EQ(Texts(list), (Strings{"freestyle", "Free, shipping", "get (FREE)", "shoes free", "carefree",
                                    "free-shipping", "shipping free"}));
    list.Highlighted.Clear();
    HighlightHoldingWords(list, {"free"});
    EXPECT_EQ(HighlightedOf(list), (Indices{1, 2, 3, 5, 6}));
}

TEST_F(ListComparisonTest, NegativeWordsAgainstNaiveMatching) {
    for (std::uint32_t seed = 0; seed < 300; ++seed) {
        TRandomText random(seed + 1000);
        const Strings texts = random.Texts(Alphabet, random.Below(60), 8);
        Strings negatives = random.Texts(Alphabet, random.Below(6), 3);
        if (!negatives.empty())
            negatives.push_back(negatives.front());
        const bool self = seed % 7 == 0;
        const Strings& used = self ? texts : negatives;
        SCOPED_TRACE(seed);
        ExpectNegativeWordsAsModel(texts, used, self);
    }
}

TEST_F(ListComparisonTest, NegativeWordsInLongAsciiWords) {
    // ASCII texts are read eight bytes at a time: words longer than that, digits and capitals, and
    // negatives cut from the texts at any place.
    constexpr std::string_view Ascii = "aAbBzZ0189 ,-";
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        TRandomText random(seed + 5000);
        const Strings texts = random.Texts(Ascii, random.Below(40), 30);
        Strings negatives = random.Texts(Ascii, random.Below(4), 3);
        for (std::size_t k = 0; k < 3 && !texts.empty(); ++k) {
            const std::string& text = texts[random.Below(texts.size())];
            negatives.push_back(text.substr(random.Below(text.size() + 1), random.Below(20)));
        }
        SCOPED_TRACE(seed);
        ExpectNegativeWordsAsModel(texts, negatives, false);
    }
}

TEST_F(ListComparisonTest, LongListsTakeBothThreadsAlike) {
    TRandomText random(77);
    const Strings texts = random.Texts(Alphabet, 70000, 6);
    // Some of the list's own texts (one near each end and one where the two halves meet) make most of it
    // found; then the others add entries and hold repeats.
    for (const bool most : {false, true}) {
        Strings negatives = random.Texts(Alphabet, 12, 2);
        if (most)
            negatives.insert(negatives.end(),
                             {texts[0], texts[34999], texts[35000], texts.back(), texts[17]});
        std::set<std::string> otherSet, listSet;
        for (const auto& t : negatives)
            otherSet.insert(Folded(t));
        Strings kept, lacking, found, united = texts;
        Indices foundAt;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (!HoldsWholeWords(texts[i], negatives))
                kept.push_back(texts[i]);
            (otherSet.count(Folded(texts[i])) ? found : lacking).push_back(texts[i]);
            if (otherSet.count(Folded(texts[i])))
                foundAt.push_back(static_cast<int>(i));
            listSet.insert(Folded(texts[i]));
        }
        for (const auto& t : negatives)
            if (listSet.insert(Folded(t)).second)
                united.push_back(t);
        SCOPED_TRACE(most);
        Load(other, negatives);
        Load(list, texts);
        HighlightFoundIn(list, other);
        EXPECT_EQ(HighlightedOf(list), foundAt);
        EXPECT_EQ(DeleteContainingWordsOf(list, other), static_cast<int>(texts.size() - kept.size()));
        EXPECT_EQ(Texts(list), kept);
        Load(list, texts);
        EXPECT_EQ(DeleteFoundIn(list, other), static_cast<int>(found.size()));
        EXPECT_EQ(Texts(list), lacking);
        Load(list, texts);
        EXPECT_EQ(KeepOnlyFoundIn(list, other), static_cast<int>(lacking.size()));
        EXPECT_EQ(Texts(list), found);
        Load(list, texts);
        EXPECT_EQ(AddMissingFrom(list, other), static_cast<int>(united.size() - texts.size()));
        EXPECT_EQ(Texts(list), united);
    }
}

// Sorted folded words joined by one blank.
std::u32string WordsKey(std::string_view text) {
    auto words = SplitWords(Words(text));
    std::sort(words.begin(), words.end());
    std::u32string key;
    for (const auto& w : words)
        key += w + U' ';
    return key;
}

TEST_F(ListComparisonTest, SameWordsInOtherOrderAgainstSortedWords) {
    // The large lists take both threads.
    for (const std::size_t size : {0, 1, 5, 50, 400, 70000}) {
        TRandomText random(static_cast<std::uint32_t>(size));
        Strings texts = random.Texts(Alphabet, size, size > 1000 ? 7 : 5);
        if (size == 5)
            texts = {"red shoes", "Shoes  RED", "shoes red", "red shoes shoes", "shoes\u00A0red red"};
        Strings kept;
        std::set<std::u32string> seen;
        for (const auto& t : texts)
            if (seen.insert(WordsKey(t)).second)
                kept.push_back(t);
        SCOPED_TRACE(size);
        Load(list, texts);
        EXPECT_EQ(DeleteSameWordsInOtherOrder(list), static_cast<int>(texts.size() - kept.size()));
        EXPECT_EQ(Texts(list), kept);
    }
}

std::string Utf8Of(const std::u32string& text) {
    std::string out;
    for (const char32_t c : text)
        Utf8::Append(c, out);
    return out;
}

// Words with their non-word ends cut off, grouped into runs that such cuts separate; phrases within runs.
std::map<std::string, int> NaiveFrequencies(const Strings& texts, std::size_t maxWords) {
    std::map<std::string, int> counts;
    for (const auto& text : texts) {
        std::vector<std::vector<std::u32string>> runs(1);
        for (std::u32string word : SplitWords(Words(text))) {
            const std::size_t length = word.size();
            while (!word.empty() && !WordChar(word.front()))
                word.erase(0, 1);
            if (word.size() < length && !runs.back().empty())
                runs.emplace_back();
            const bool cutEnd = !word.empty() && !WordChar(word.back());
            while (!word.empty() && !WordChar(word.back()))
                word.pop_back();
            if (!word.empty())
                runs.back().push_back(word);
            if (cutEnd || word.empty())
                runs.emplace_back();
        }
        std::set<std::string> held;
        for (const auto& run : runs)
            for (std::size_t i = 0; i < run.size(); ++i) {
                std::u32string phrase;
                for (std::size_t k = i; k < run.size() && k - i < maxWords; ++k) {
                    phrase += (k > i ? U" " : U"") + run[k];
                    held.insert(Utf8Of(phrase));
                }
            }
        for (const auto& h : held)
            ++counts[h];
    }
    return counts;
}

TEST_F(ListComparisonTest, WordFrequenciesAgainstNaiveCounting) {
    for (const std::size_t size : {0, 3, 30, 300, 70000})
        for (const int maxWords : {1, 2, 3}) {
            TRandomText random(static_cast<std::uint32_t>(size * 3 + maxWords));
            const Strings texts = random.Texts(Alphabet, size, size > 1000 ? 8 : 12);
            Load(list, texts);
            const auto counted = CountWordFrequencies(list, maxWords);
            std::map<std::string, int> got;
            for (const auto& c : counted)
                got[c.Text] = c.Entries;
            SCOPED_TRACE(size * 10 + static_cast<std::size_t>(maxWords));
            EXPECT_EQ(got, NaiveFrequencies(texts, static_cast<std::size_t>(maxWords)));
            EXPECT_TRUE(std::is_sorted(counted.begin(), counted.end(), [](const auto& a, const auto& b) {
                return a.Entries != b.Entries ? a.Entries > b.Entries : a.Text < b.Text;
            }));
            // Every counted text picks at least the entries it was counted for.
            if (size <= 300)
                for (const auto& c : counted) {
                    list.Highlighted.Clear();
                    HighlightHoldingWords(list, {c.Text});
                    EXPECT_GE(list.Highlighted.Count(), c.Entries) << c.Text;
                }
        }
}

TEST_F(ListComparisonTest, LongerThanCountsCharacters) {
    TRandomText random(5);
    const Strings texts = random.Texts(Alphabet, 200, 9);
    Load(list, texts);
    for (std::size_t n : {0, 3, 8, 9}) {
        Indices longer;
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (std::count_if(texts[i].begin(), texts[i].end(), [](char c) { return (c & 0xC0) != 0x80; }) >
                static_cast<std::ptrdiff_t>(n))
                longer.push_back(static_cast<int>(i));
        list.Highlighted.Clear();
        HighlightLongerThan(list, n);
        EXPECT_EQ(HighlightedOf(list), longer);
    }
}

} // namespace
