#include "core/UndoHistory.h"

#include "core/KeyItems.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using Strings = std::vector<std::string>;
using Runs = std::vector<TRowRun>;

// What undo must bring back of a list.
struct TLook {
    Strings Entries;
    Runs Highlighted;
    std::uint8_t SortOrder;
    std::string Name;
    bool operator==(const TLook&) const = default;
};

TLook LookOf(const TKeyItems& list, const Runs& highlighted) {
    return {Texts(list), highlighted, list.SortOrder, list.Name};
}

std::unique_ptr<TUndoLevel> LevelOf(TKeyItems& list, const char* caption, bool withEntries = true) {
    return std::make_unique<TUndoLevel>(caption, list, Runs{}, withEntries);
}

// Random changes to two lists with random undo and redo between them, against a model that keeps a whole
// copy of each state: every step must show exactly the state the model holds.
TEST(UndoHistory, StepsBackAndForthToExactlyTheKeptStates) {
    std::mt19937 random(7);
    TKeyItems lists[2];
    Runs shown[2];
    std::vector<TLook> undo[2], redo[2];
    TUndoHistory history(std::size_t{1} << 30);
    for (int step = 0; step < 600; ++step) {
        const int l = static_cast<int>(random() % 2);
        TKeyItems& list = lists[l];
        const unsigned action = random() % 15;
        if (action < 2 && history.NextUndo(list)) {
            redo[l].push_back(LookOf(list, shown[l]));
            shown[l] = history.Undo(list, shown[l]);
            ASSERT_EQ(LookOf(list, shown[l]), undo[l].back()) << step;
            undo[l].pop_back();
        } else if (action < 4 && history.NextRedo(list)) {
            undo[l].push_back(LookOf(list, shown[l]));
            shown[l] = history.Redo(list, shown[l]);
            ASSERT_EQ(LookOf(list, shown[l]), redo[l].back()) << step;
            redo[l].pop_back();
        } else {
            const bool entries = action < 8;
            undo[l].push_back(LookOf(list, shown[l]));
            redo[l].clear();
            std::unique_ptr<TUndoLevel> level;
            if (action == 8) {
                // A removal of random rows, as deleting the highlighted entries removes them.
                list.Highlighted.Clear();
                for (int row = 0; row < list.Count(); ++row)
                    if (random() % 3 == 0)
                        list.Highlighted.Add(row);
                std::vector<int> rows(list.Highlighted.begin(), list.Highlighted.end());
                level = TUndoLevel::ForRemoval("removal", list, shown[l], RunsOf(rows));
                list.DeleteHighlighted();
            } else if (action == 14) {
                // An import, which may add nothing.
                level = TUndoLevel::ForAddition("addition", list, shown[l]);
                for (unsigned k = random() % 4; k > 0; --k)
                    list.AddKeyword("added " + std::to_string(step) + " " + std::to_string(k));
            } else if (action == 10) {
                // "Delete All", or its question answered No.
                level = TUndoLevel::ForClearing("clearing", list, shown[l]);
                if (random() % 4)
                    list.Clear();
            } else if (action == 11) {
                level = TUndoLevel::ForSort("sort", list, shown[l]);
                list.SortBy(static_cast<std::uint8_t>(1 + random() % 4));
            } else if (action == 12) {
                level = TUndoLevel::ForRewrite("rewrite", list, shown[l]);
                // Most texts change, or some.
                if (random() % 2)
                    list.ToUpperCase();
                else
                    list.CollapseSpaces();
            } else if (action == 13) {
                // Sometimes enough long duplicates that the list's storage goes along with them.
                for (int k = random() % 2 ? 700 : 2; k > 0; --k)
                    list.AddKeyword(std::string(2000, static_cast<char>('a' + random() % 3)));
                // And texts too long to be kept in a word with their address.
                for (int k = random() % 3 ? 0 : 3; k > 0; --k)
                    for (int copy = 0; copy < 2; ++copy)
                        list.AddKeyword(std::string(140000, 'x') + std::to_string(k));
                undo[l].back() = LookOf(list, shown[l]);
                level = TUndoLevel::ForDuplicates("duplicates", list, shown[l]);
                list.RemoveDuplicates();
            } else {
                level = std::make_unique<TUndoLevel>("change", list, shown[l], entries);
            }
            level->Detach();
            if (entries) {
                // Added, rewritten, deleted texts: the kept copy must not share storage with the list.
                for (unsigned k = random() % 6; k > 0; --k)
                    list.AddKeyword("w" + std::to_string(step) + std::string(random() % 4, ' ') +
                                    std::to_string(k));
                if (list.Count() > 0)
                    list.GetKeyItem(static_cast<int>(random() % list.Count())).SetText("rewritten text");
                if (list.Count() > 1) {
                    list.Highlighted.Clear();
                    list.Highlighted.Add(static_cast<int>(random() % list.Count()));
                    list.DeleteHighlighted();
                }
                list.SortOrder = static_cast<std::uint8_t>(random() % 5);
                list.Name = "name " + std::to_string(step);
            }
            shown[l] = list.Count() > 0 ? Runs{{0, static_cast<int>(random() % list.Count()) + 1}} : Runs{};
            history.Push(std::move(level));
        }
        // The storage that steps move between lists and levels is accounted to the right owner.
        std::size_t bytes = 0;
        for (const std::string& text : Texts(list))
            bytes += text.size();
        ASSERT_EQ(list.TextBytes(), bytes) << step;
    }
}

// A few removed duplicates get copies of their texts: the list may then let go of its storage.
TEST(UndoHistory, FewRemovedDuplicatesOutliveTheListsStorage) {
    const Strings texts = {"a", "A", "b", std::string(140000, 'x'), "B", std::string(140000, 'X'), "c"};
    TKeyItems list;
    for (const std::string& text : texts)
        list.AddKeyword(text);
    TUndoHistory history(std::size_t{1} << 30);
    auto level = TUndoLevel::ForDuplicates("duplicates", list, {});
    list.RemoveDuplicates();
    level->Detach();
    history.Push(std::move(level));
    list.Compact();
    history.Undo(list, {});
    EXPECT_EQ(Texts(list), texts);
}

TEST(UndoHistory, TheOldestLevelsGoFirstAndANewLevelDropsTheRedoLevels) {
    TKeyItems a, b;
    Fill(a, {"one", "two", "three"});
    Fill(b, {"four", "five", "six"});
    const std::size_t level = LevelOf(a, "x")->Bytes();
    TUndoHistory history(3 * level + level / 2);
    history.Push(LevelOf(a, "a1"));
    history.Push(LevelOf(b, "b1"));
    history.Push(LevelOf(a, "a2"));
    history.Push(LevelOf(b, "b2"));
    // a1 was the oldest.
    ASSERT_TRUE(history.NextUndo(a));
    EXPECT_EQ(history.NextUndo(a)->Caption(), "a2");
    history.Undo(a, {});
    EXPECT_EQ(history.NextUndo(a), nullptr);
    EXPECT_EQ(history.NextRedo(a)->Caption(), "a2");
    // A new level drops the redo level, which makes room: nothing else goes.
    history.Push(LevelOf(a, "a3"));
    EXPECT_EQ(history.NextRedo(a), nullptr);
    EXPECT_EQ(history.NextUndo(a)->Caption(), "a3");
    EXPECT_EQ(history.NextUndo(b)->Caption(), "b2");
    history.Undo(b, {});
    EXPECT_EQ(history.NextUndo(b)->Caption(), "b1");
    EXPECT_LE(history.Bytes(), history.Budget());

    // b1 is the oldest, then a3; b2 was stepped last.
    history.SetBudget(level + level / 2);
    EXPECT_EQ(history.NextRedo(b)->Caption(), "b2");
    EXPECT_EQ(history.NextUndo(b), nullptr);
    EXPECT_EQ(history.NextUndo(a), nullptr);
    history.Forget(b);
    EXPECT_EQ(history.NextRedo(b), nullptr);
    EXPECT_EQ(history.Bytes(), 0u);
    EXPECT_THROW(history.Undo(a, {}), Exception);
}

// On a long list the removed rows are noted and taken out side by side.
TEST(UndoHistory, RemovingDuplicatesFromALongListStepsBackAndForthExactly) {
    std::mt19937 random(3);
    TKeyItems list;
    for (int i = 0; i < 200000; ++i)
        list.AddKeyword((random() % 2 ? "Keyword " : "keyword ") + std::to_string(random() % 90000));
    const Strings before = Texts(list);
    auto level = TUndoLevel::ForDuplicates("duplicates", list, {});
    list.RemoveDuplicates();
    level->Detach();
    const Strings after = Texts(list);
    ASSERT_LT(after.size(), before.size() - 65536);
    level->Exchange({});
    EXPECT_EQ(Texts(list), before);
    level->Exchange({});
    EXPECT_EQ(Texts(list), after);
}

TEST(UndoHistory, ClearingHandsTheEntriesToItsLevelInsteadOfACopy) {
    TKeyItems list;
    Fill(list, {"red", "blue"});
    const char* storage = list.GetKeyItem(0).Text().data();
    auto kept = TUndoLevel::ForClearing("x", list, {});
    kept->Detach();
    EXPECT_TRUE(kept->Unchanged({}));
    auto level = TUndoLevel::ForClearing("x", list, {});
    list.Clear();
    level->Detach();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(level->Unchanged({}));
    EXPECT_GT(level->Bytes(), kept->Bytes());
    level->Exchange({});
    EXPECT_EQ(Texts(list), (Strings{"red", "blue"}));
    EXPECT_EQ(list.GetKeyItem(0).Text().data(), storage);
}

TEST(UndoHistory, AnUnchangedListIsTold) {
    TKeyItems list;
    Fill(list, {"red", "blue"});
    const Runs shown = {{1, 1}};
    const TUndoLevel entries("x", list, shown, true);
    const TUndoLevel highlight("x", list, shown, false);
    EXPECT_TRUE(entries.Unchanged(shown));
    EXPECT_FALSE(highlight.Unchanged({}));
    list.GetKeyItem(0).SetText("Red");
    EXPECT_FALSE(entries.Unchanged(shown));
    EXPECT_TRUE(highlight.Unchanged(shown));
}

} // namespace

// Runs kept as bits, or rows kept without making their runs first, come back as the same runs: short runs
// with a long one now and then, close together or far apart, from any first row.
TEST(UndoHistory, KeptRowsGiveBackTheirRuns) {
    std::mt19937 random(3);
    for (int trial = 0; trial < 200; ++trial) {
        Runs runs;
        int row = static_cast<int>(random() % 1000);
        const unsigned gap = trial % 2 ? 3 : 1000;
        for (int k = static_cast<int>(random() % 400); k > 0; --k) {
            const int count = static_cast<int>(random() % 8 ? 1 + random() % 3 : 64 + random() % 100);
            runs.push_back({row, count});
            row += count + 1 + static_cast<int>(random() % gap);
        }
        EXPECT_EQ(TKeptRows(runs).Runs(), runs) << trial;
        std::vector<std::int32_t> rows;
        for (const TRowRun& run : runs)
            for (int k = 0; k < run.Count; ++k)
                rows.push_back(run.First + k);
        EXPECT_EQ(TKeptRows::OfRows(rows.data(), rows.size()).Runs(), runs) << trial;
    }
}
