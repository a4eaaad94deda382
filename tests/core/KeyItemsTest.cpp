#include "core/KeyItems.h"

#include "core/CaseFolding.h"
#include "core/CaseMapping.h"
#include "core/CheckpointTrail.h"
#include "core/Clipboard.h"
#include "core/Collation.h"
#include "core/Exceptions.h"
#include "core/TextLocale.h"
#include "core/WordRules.h"
#include "tests/core/RandomText.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <unordered_map>

namespace {

using Strings = std::vector<std::string>;

class FakeClipboard : public IClipboard {
public:
    bool SetText(std::string_view text) override {
        if (fail)
            throw std::runtime_error("clipboard busy");
        this->text = text;
        ++calls;
        return true;
    }
    std::string text = "stale";
    int calls = 0;
    bool fail = false;
};

class KeyItemsTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    void TearDown() override { UnwindTrail(true); }
    void Highlight(std::initializer_list<int> indices) {
        list.Highlighted.Clear();
        for (int i : indices)
            list.Highlighted.Add(i);
    }

    TKeyItems list;
    FakeClipboard clipboard;
};

TEST_F(KeyItemsTest, NewListHasDefaults) {
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.SortOrder, 0);
    EXPECT_EQ(list.Name, "");
    EXPECT_EQ(list.Settings.Font, (TFontSpec{"Arial", 9, StyleBold, 0}));
    EXPECT_EQ(list.Settings.GetColumnWidth(0), 100);
    EXPECT_EQ(list.Settings.GetColumnWidth(1), 273);
    EXPECT_EQ(list.Settings.GetColor(1), 0xFFFFFFu);
    EXPECT_EQ(list.Settings.GetColor(2), 0u);
    EXPECT_EQ(list.Settings.GetColor(3), 0xF1F1F1u);
    EXPECT_EQ(list.Settings.GetColor(4), 0u);
}

TEST_F(KeyItemsTest, AssignCopiesFontAndColoursButNotWidths) {
    TListSettings other;
    other.SetColumnWidth(0, 50);
    other.SetColumnWidth(1, 60);
    other.SetColor(3, 0x123456);
    other.Font = {"Tahoma", 12, StyleItalic | StyleUnderline, 0x0000FF};
    list.Settings.Assign(other);
    EXPECT_EQ(list.Settings.GetColumnWidth(0), 100);
    EXPECT_EQ(list.Settings.GetColumnWidth(1), 273);
    EXPECT_EQ(list.Settings.GetColor(3), 0x123456u);
    EXPECT_EQ(list.Settings.Font, other.Font);
    EXPECT_THROW(list.Settings.GetColor(0), EListError);
    EXPECT_THROW(list.Settings.SetColumnWidth(2, 1), EListError);
}

TEST_F(KeyItemsTest, SetTextKeepsWordCountOnlyForTheSameText) {
    TKeyItemRef item = list.AddKeyword("red shoes");
    EXPECT_EQ(item.CachedWordCount(), -1);
    EXPECT_EQ(item.WordCount(), 2);
    item.SetText("red shoes");
    EXPECT_EQ(item.CachedWordCount(), 2);
    item.SetText("Red shoes");
    EXPECT_EQ(item.CachedWordCount(), -1);
    item.SetText("a much longer text than before with six words");
    EXPECT_EQ(item.Text(), "a much longer text than before with six words");
    item.SetText(item.Text().substr(2, 4));
    EXPECT_EQ(item.Text(), "much");
    EXPECT_EQ(item.WordCount(), 1);
}

TEST_F(KeyItemsTest, TextsKeepEveryByteValue) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    list.AddKeyword(all);
    list.AddKeyword("");
    list.AddKeyword(std::string(5'000'000, 'x'));
    EXPECT_EQ(list.GetKeyItem(0).Text(), all);
    EXPECT_EQ(list.GetKeyItem(1).Text(), "");
    EXPECT_EQ(list.GetKeyItem(2).Text().size(), 5'000'000u);
}

TEST_F(KeyItemsTest, GetKeyItemOutOfRangeRaisesListError) {
    Fill(list, {"a"});
    try {
        list.GetKeyItem(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (1)");
    }
    EXPECT_THROW(list.GetKeyItem(-1), EListError);
}

TEST_F(KeyItemsTest, ClearKeepsNameSettingsSortOrderAndHighlighted) {
    Fill(list, {"a", "b"});
    list.Name = "List-A";
    list.SortOrder = 2;
    Highlight({1});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Name, "List-A");
    EXPECT_EQ(list.SortOrder, 2);
    EXPECT_EQ(list.Highlighted.Count(), 1);
    list.AddKeyword("c");
    EXPECT_EQ(Texts(list), Strings{"c"});
}

TEST_F(KeyItemsTest, DeleteHighlightedRemovesTheNamedEntries) {
    Fill(list, {"0", "1", "2", "3", "4"});
    Highlight({1, 3});
    list.DeleteHighlighted();
    EXPECT_EQ(Texts(list), (Strings{"0", "2", "4"}));
    EXPECT_EQ(list.Highlighted.Count(), 2);
}

// Reference: deleting one at a time from the last position of Highlighted to the first; false when an index
// was out of range at its turn (the deletions before it stay done).
bool DeleteOneAtATime(Strings& texts, const std::vector<int>& indices) {
    for (auto it = indices.rbegin(); it != indices.rend(); ++it) {
        if (*it < 0 || *it >= static_cast<int>(texts.size()))
            return false;
        texts.erase(texts.begin() + *it);
    }
    return true;
}

TEST_F(KeyItemsTest, DeleteHighlightedMatchesOneAtATimeDeletion) {
    std::mt19937 rng(42);
    for (int round = 0; round < 200; ++round) {
        TKeyItems l;
        Strings texts;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) {
            std::string text = std::to_string(i);
            text.append(rng() % 30, 'x');
            texts.push_back(text);
            l.AddKeyword(texts.back());
        }
        std::vector<int> indices;
        for (int i = -2; i < n + 2; ++i)
            if (rng() % 3 == 0 && (i >= 0 || round % 7 == 0) && (i < n || round % 11 == 0))
                indices.push_back(i);
        if (round % 5 == 0 && indices.size() > 1)
            std::swap(indices.front(), indices.back()); // not ascending: the exact one-by-one path
        for (int i : indices)
            l.Highlighted.Add(i);
        const bool valid = DeleteOneAtATime(texts, indices);
        if (valid)
            EXPECT_NO_THROW(l.DeleteHighlighted());
        else
            EXPECT_THROW(l.DeleteHighlighted(), EListError);
        EXPECT_EQ(Texts(l), texts) << round;
    }
}

TEST_F(KeyItemsTest, DeleteHighlightedOutOfRangeKeepsDeletionsAlreadyDone) {
    Fill(list, {"0", "1", "2"});
    Highlight({1, 3});
    EXPECT_THROW(list.DeleteHighlighted(), EListError);
    EXPECT_EQ(Texts(list), (Strings{"0", "1", "2"}));
    Highlight({-1, 2});
    try {
        list.DeleteHighlighted();
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message, "List index out of bounds (-1)");
    }
    EXPECT_EQ(Texts(list), (Strings{"0", "1"}));
}

TEST_F(KeyItemsTest, RemoveDuplicatesKeepsOneOfEachCaseInsensitiveGroup) {
    Fill(list, {"Shoes", "boots", "shoes", "SHOES", "Boots", "hat"});
    PushCheckpoint("outer");
    EXPECT_EQ(list.RemoveDuplicates(), 3);
    EXPECT_EQ(TrailText(), "outer");
    EXPECT_EQ(Texts(list), (Strings{"Shoes", "boots", "hat"}));
    EXPECT_EQ(list.RemoveDuplicates(), 0);
}

TEST_F(KeyItemsTest, RemoveDuplicatesHasNoSentinelText) {
    // An entry that equals the old "no previous entry" marker is still unique.
    Fill(list, {"{d2003500-dbbe-44e6-8ff0-cf276be3dc9b}", "x"});
    EXPECT_EQ(list.RemoveDuplicates(), 0);
    EXPECT_EQ(list.Count(), 2);
}

// Reference: the first text of each group of equal folded texts, in list order.
Strings FirstOfEachFolded(const Strings& texts) {
    std::set<std::string> seen;
    Strings first;
    for (const auto& t : texts)
        if (seen.insert(Folded(t)).second)
            first.push_back(t);
    return first;
}

TEST_F(KeyItemsTest, RemoveDuplicatesMatchesAFoldedSetOnRandomTexts) {
    for (const char* locale : {"en_US", "ru_RU", "tr_TR"}) {
        SetTextLocale(locale);
        TRandomText random(7);
        TKeyItems l;
        Strings texts = random.Texts("aAiIıİéÉσςΣЁёK\u212Aß", 3000, 2);
        // Longer texts that differ in case only, beyond the first eight bytes too.
        for (const auto& t : random.Texts("aAàÀЖж", 3000, 20))
            texts.push_back(t);
        // Texts on either side of the longest whose length the search keeps beside its address.
        for (const std::size_t length : {65533, 65534, 65535, 70000})
            for (const char* last : {"x", "X", "y"})
                texts.push_back(std::string(length, 'a') + last);
        for (const auto& t : texts)
            l.AddKeyword(t);
        const Strings expected = FirstOfEachFolded(texts);
        EXPECT_EQ(l.RemoveDuplicates(), static_cast<int>(texts.size() - expected.size()));
        EXPECT_EQ(Texts(l), expected) << locale;
    }
    SetTextLocale("");
}

// Long lists are searched on two threads, each taking the entries its half of the hashes picks.
TEST_F(KeyItemsTest, RemoveDuplicatesOnALongListKeepsTheFirstOfEachGroup) {
    std::mt19937 rng(3);
    TKeyItems l;
    Strings texts;
    for (int i = 0; i < 100000; ++i) {
        std::string t = "running shoes ";
        for (std::size_t n = rng() % 5; n > 0; --n)
            t += std::array<const char*, 6>{"a", "A", "b", "B", "é", "É"}[rng() % 6];
        texts.push_back(t);
        l.AddKeyword(t);
    }
    const Strings expected = FirstOfEachFolded(texts);
    EXPECT_EQ(l.RemoveDuplicates(), static_cast<int>(texts.size() - expected.size()));
    EXPECT_EQ(Texts(l), expected);
    EXPECT_EQ(l.Highlighted.Count(), static_cast<int>(texts.size() - expected.size()));
    EXPECT_TRUE(l.Highlighted.StrictlyAscending());
}

// A list made so that every text shares the top bits of its hash, which pick the bucket (and the thread)
// it is searched in: one bucket takes the whole list and must not fill up.
TEST_F(KeyItemsTest, RemoveDuplicatesOnTextsThatAllFallIntoOneBucket) {
    TKeyItems l;
    Strings texts;
    for (int i = 0; texts.size() < 40000; ++i) {
        const std::string t = "keyword " + std::to_string(i);
        if (FoldedHash(t) >> 58 == 0)
            texts.push_back(t);
    }
    for (int i = 0; i < 1000; ++i)
        texts.push_back(SimpleUpperCase(texts[static_cast<std::size_t>(i) * 7]));
    for (const auto& t : texts)
        l.AddKeyword(t);
    EXPECT_EQ(l.RemoveDuplicates(), 1000);
    EXPECT_EQ(Texts(l), FirstOfEachFolded(texts));
}

// Pairs of texts that differ but whose hashes agree, as the duplicate search files them.
std::vector<std::pair<std::string, std::string>> AgreeingHashPairs(std::size_t count) {
    std::unordered_map<std::uint32_t, std::string> seen;
    std::vector<std::pair<std::string, std::string>> agreeing;
    for (int i = 0; agreeing.size() < count; ++i) {
        std::string t = "keyword " + std::to_string(i);
        const auto hash = static_cast<std::uint32_t>(FoldedHash(t) >> 32);
        if (const auto [at, fresh] = seen.try_emplace(hash, t); !fresh)
            agreeing.emplace_back(at->second, t);
    }
    return agreeing;
}

// Each pair in the list with copies of both in other case, the later text's before the earlier's.
TEST_F(KeyItemsTest, RemoveDuplicatesTellsApartTextsWhoseHashesAgree) {
    Strings texts;
    for (const auto& [a, b] : AgreeingHashPairs(3))
        for (const std::string& t : {a, b, SimpleUpperCase(b), SimpleUpperCase(a), b})
            texts.push_back(t);
    TKeyItems l;
    for (const auto& t : texts)
        l.AddKeyword(t);
    EXPECT_EQ(l.RemoveDuplicates(), 9);
    EXPECT_EQ(Texts(l), FirstOfEachFolded(texts));
}

// A long list is searched on two threads, each comparing the entries of its own part, and in shares of the
// buckets: copies of texts whose hashes agree strewn over the whole list, so that the first of a text
// and the first of its hash may lie in either part.
TEST_F(KeyItemsTest, RemoveDuplicatesTellsApartAgreeingTextsAcrossALongList) {
    std::mt19937 rng(5);
    Strings texts;
    for (int i = 0; i < 200000; ++i)
        texts.push_back("filler " + std::to_string(rng() % 80000));
    for (const auto& [a, b] : AgreeingHashPairs(12))
        for (const std::string& t : {a, b, SimpleUpperCase(a), SimpleUpperCase(b), b, a})
            texts.insert(texts.begin() + static_cast<std::ptrdiff_t>(rng() % texts.size()), t);
    TKeyItems l;
    for (const auto& t : texts)
        l.AddKeyword(t);
    const Strings expected = FirstOfEachFolded(texts);
    EXPECT_EQ(l.RemoveDuplicates(), static_cast<int>(texts.size() - expected.size()));
    EXPECT_EQ(Texts(l), expected);
}

TEST_F(KeyItemsTest, RemoveDuplicatesOnEmptyList) {
    EXPECT_EQ(list.RemoveDuplicates(), 0);
}

TEST_F(KeyItemsTest, SortByWordCountThenText) {
    Fill(list, {"a b", "c", "d e f", "b"});
    list.SortBy(3);
    EXPECT_EQ(Texts(list), (Strings{"b", "c", "a b", "d e f"}));
    EXPECT_EQ(list.SortOrder, 3);
    list.SortBy(4);
    EXPECT_EQ(Texts(list), (Strings{"d e f", "a b", "c", "b"}));
}

TEST_F(KeyItemsTest, SortByTextIgnoresCase) {
    Fill(list, {"banana", "Apple", "cherry", "apple pie", "APPLE"});
    list.SortBy(1);
    const Strings ascending = Texts(list);
    EXPECT_EQ(ascending[2], "apple pie");
    EXPECT_EQ(ascending[3], "banana");
    EXPECT_TRUE(SameText(ascending[0], "apple"));
    list.SortBy(2);
    EXPECT_EQ(Texts(list).front(), "cherry");
    EXPECT_EQ(Texts(list)[2], "apple pie");
}

TEST_F(KeyItemsTest, SortOrdersAgreeWithComparisonOnLongSharedPrefixes) {
    Fill(list,
         {"running shoes red", "running shoes", "RUNNING SHOES BLUE", "running shoe", "running\tshoes"});
    list.SortBy(1);
    const Strings sorted = Texts(list);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        EXPECT_LE(CompareText(sorted[i - 1], sorted[i]), 0) << sorted[i - 1] << " / " << sorted[i];
}

// Reference: a stable sort by the order's rule, written directly from the comparison.
Strings ReferenceSort(Strings texts, int order) {
    std::stable_sort(texts.begin(), texts.end(), [&](const std::string& a, const std::string& b) {
        const int wa = CountWords(a);
        const int wb = CountWords(b);
        switch (order) {
        case 1:
            return CompareText(a, b) < 0;
        case 2:
            return CompareText(a, b) > 0;
        case 3:
            return wa != wb ? wa < wb : CompareText(a, b) < 0;
        default:
            return wa != wb ? wa > wb : CompareText(a, b) > 0;
        }
    });
    return texts;
}

TEST_F(KeyItemsTest, EverySortOrderMatchesAStableReferenceSort) {
    TRandomText random(11);
    for (const char* locale : {"en_US", "ru_RU"})
        for (int order = 1; order <= 4; ++order) {
            SetTextLocale(locale);
            TKeyItems l;
            const Strings texts = random.Texts("aAbB \t éÉèzZ.ёЁеЕжσΣς\u0301\u00a0😀", 3000, 22);
            for (const auto& t : texts)
                l.AddKeyword(t);
            l.SortBy(static_cast<std::uint8_t>(order));
            EXPECT_EQ(Texts(l), ReferenceSort(texts, order)) << locale << " " << order;
        }
    SetTextLocale("");
}

// Long lists are sorted on two threads, and texts that agree far beyond the first sixteen characters are
// told apart further on, in Latin and in Cyrillic letters; both must still give the stable order.
TEST_F(KeyItemsTest, LongListsWithLongSharedPrefixesSortLikeTheReference) {
    std::mt19937 rng(5);
    const std::string prefixes[] = {"", "running shoes for men and women ",
                                    "RUNNING SHOES FOR MEN AND WOMEN  ", "купить кроссовки для бега мужские ",
                                    "КУПИТЬ КРОССОВКИ ДЛЯ БЕГА МУЖСКИЕ "};
    Strings texts;
    for (int i = 0; i < 70000; ++i) {
        std::string t = prefixes[rng() % std::size(prefixes)];
        t.append(rng() % 40, 'a');
        for (std::size_t n = rng() % 3; n > 0; --n)
            t += std::array<const char*, 8>{"a", "A", "b", " ", "é", "É", "ё", "Е"}[rng() % 8];
        texts.push_back(t);
    }
    for (int order = 1; order <= 4; ++order) {
        TKeyItems l;
        for (const auto& t : texts)
            l.AddKeyword(t);
        l.SortBy(static_cast<std::uint8_t>(order));
        EXPECT_EQ(Texts(l), ReferenceSort(texts, order)) << order;
    }
}

// Sorting again a list that is already sorted, the same way or the other, keeps equal texts (here the same
// words in other cases) in the order they stand in, as a stable sort of the list as it is.
TEST_F(KeyItemsTest, SortingASortedListAgainKeepsEqualTextsInListOrder) {
    std::mt19937 rng(9);
    const char* words[] = {"shoes", "Shoes", "SHOES", "red",  "Red",
                           "boots", "cheap", "Cheap", "ёлка", "Ёлка"};
    TKeyItems l;
    for (int i = 0; i < 80000; ++i) {
        std::string t;
        for (std::size_t n = 1 + rng() % 3; n > 0; --n)
            t += std::string(t.empty() ? "" : " ") + words[rng() % std::size(words)];
        l.AddKeyword(t);
    }
    for (const int order : {1, 1, 2, 1, 3, 4, 4, 2}) {
        const Strings expected = ReferenceSort(Texts(l), order);
        l.SortBy(static_cast<std::uint8_t>(order));
        ASSERT_EQ(Texts(l), expected) << order;
    }
}

TEST_F(KeyItemsTest, SortByOtherOrdersOnlyRecordsTheOrder) {
    Fill(list, {"b", "a"});
    list.SortBy(0);
    EXPECT_EQ(Texts(list), (Strings{"b", "a"}));
    EXPECT_EQ(list.SortOrder, 0);
    list.SortBy(200);
    EXPECT_EQ(list.SortOrder, 200);
    EXPECT_EQ(Texts(list), (Strings{"b", "a"}));
}

TEST_F(KeyItemsTest, SwapEntriesMovesTextsAndKeepsEachListsOwnState) {
    Fill(list, {"a", "b"});
    list.Name = "List-A";
    TKeyItems other;
    Fill(other, {"c"});
    list.SwapEntries(other);
    EXPECT_EQ(Texts(list), Strings{"c"});
    EXPECT_EQ(Texts(other), (Strings{"a", "b"}));
    EXPECT_EQ(list.Name, "List-A");
    list.GetKeyItem(0).SetText("a longer text than before");
    other.Clear();
    EXPECT_EQ(Texts(list), Strings{"a longer text than before"});
}

TEST_F(KeyItemsTest, ClipboardTextsForAllAndHighlighted) {
    list.AllToCommaText(clipboard);
    EXPECT_EQ(clipboard.text, "");
    list.AllToLines(clipboard);
    EXPECT_EQ(clipboard.text, "");
    Fill(list, {"x", "y", "z"});
    EXPECT_TRUE(list.AllToCommaText(clipboard));
    EXPECT_EQ(clipboard.text, "x, y, z");
    list.AllToLines(clipboard);
    EXPECT_EQ(clipboard.text, "x\r\ny\r\nz\r\n");
    Highlight({2, 0});
    list.HighlightedToCommaText(clipboard);
    EXPECT_EQ(clipboard.text, "z, x");
    list.HighlightedToLines(clipboard);
    EXPECT_EQ(clipboard.text, "z\r\nx\r\n");
    EXPECT_EQ(list.Highlighted.Count(), 2);
}

TEST_F(KeyItemsTest, ClipboardFailureIsSilent) {
    Fill(list, {"x"});
    clipboard.fail = true;
    EXPECT_FALSE(list.AllToLines(clipboard));
    EXPECT_EQ(clipboard.text, "stale");
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(KeyItemsTest, ExportToListAppendsCopiesAndLeavesTargetStateAlone) {
    Fill(list, {"x", "y", "z"});
    TKeyItems target;
    Fill(target, {"old"});
    target.Name = "List-B";
    target.SortOrder = 1;
    target.Highlighted.Add(0);
    list.AllToList(target);
    EXPECT_EQ(Texts(target), (Strings{"old", "x", "y", "z"}));
    Highlight({1});
    list.HighlightedToList(target);
    EXPECT_EQ(Texts(target).back(), "y");
    EXPECT_EQ(target.Name, "List-B");
    EXPECT_EQ(target.SortOrder, 1);
    EXPECT_EQ(target.Highlighted.Count(), 1);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(KeyItemsTest, ExportToTextFileWritesCrLfAfterEveryEntry) {
    TempFolder folder;
    const auto path = (folder / "out.txt").string();
    list.AllToTextFile(path);
    EXPECT_EQ(ReadFile(path), "");
    Fill(list, {"x", "", "y"});
    list.AllToTextFile(path);
    EXPECT_EQ(ReadFile(path), "x\r\n\r\ny\r\n");
    Highlight({2});
    list.HighlightedToTextFile(path);
    EXPECT_EQ(ReadFile(path), "y\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST_F(KeyItemsTest, FailedExportKeepsTheOldFileAndTheTrail) {
    TempFolder folder;
    const auto path = (folder / "missing" / "out.txt").string();
    Fill(list, {"x"});
    PushCheckpoint("d046");
    EXPECT_THROW(list.AllToTextFile(path), EInOutError);
    EXPECT_EQ(TrailText(), "d046->d047");
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_THROW(list.AllToTextFile("/dev/full"), EInOutError);
    }
}

TEST_F(KeyItemsTest, ListSurvivesHeavyRewritingAndDeletion) {
    for (int i = 0; i < 100000; ++i)
        list.AddKeyword("phrase number " + std::to_string(i));
    for (int i = 0; i < list.Count(); ++i)
        list.GetKeyItem(i).SetText(std::string(list.GetKeyItem(i).Text()) + " with a longer tail");
    list.Highlighted.Clear();
    for (int i = 0; i < list.Count(); i += 2)
        list.Highlighted.Add(i);
    list.DeleteHighlighted();
    ASSERT_EQ(list.Count(), 50000);
    EXPECT_EQ(list.GetKeyItem(0).Text(), "phrase number 1 with a longer tail");
    EXPECT_EQ(list.GetKeyItem(49999).Text(), "phrase number 99999 with a longer tail");
    EXPECT_LT(list.TextBytes(), 3'000'000u);
}

} // namespace
