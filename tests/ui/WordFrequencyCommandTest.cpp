#include "tests/ui/ControllerHarness.h"

#include "ui/Application.h"
#include "ui/EditCommands.h"
#include "ui/WordFrequencyCommand.h"

#include <QtTest>

namespace {

using Strings = std::vector<std::string>;

const Strings Shop = {"Red shoes", "cheap red boots",        "boots, red!",
                      "Hat",       "Rote Schuhe für Männer", "shred"};

// The picked words as the dialog hands them over (folded), and the rows they highlight in Shop.
struct THighlightCase {
    const char* Name;
    Strings Words;
    std::vector<int> Rows;
};

const THighlightCase HighlightCases[] = {
    {"one word, whole words only", {"red"}, {0, 1, 2}},
    {"a phrase in its order", {"red boots"}, {1}},
    {"words beyond ASCII", {"männer", "hat"}, {3, 4}},
    {"a word at the end after punctuation", {"boots"}, {1, 2}},
};

Strings Texts(const TKeyItems& list) {
    Strings texts;
    for (auto text : list.AllTexts())
        texts.emplace_back(text);
    return texts;
}

} // namespace

// "Lists › Word Frequency..." through its action, as the menu runs it, on a window-less view.
class WordFrequencyCommandTest : public QObject, private TControllerHarness {
    Q_OBJECT

private slots:
    void init() { StartController(); }
    void cleanup() { StopController(); }

    void itNeedsEntries() {
        QVERIFY(!Enabled(WordFrequencyCommand.Name));
        Fill({"a"});
        QVERIFY(Enabled(WordFrequencyCommand.Name));
    }

    void highlightingReplacesTheHighlightAndUndoesToIt_data() {
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < std::size(HighlightCases); ++i)
            QTest::newRow(HighlightCases[i].Name) << static_cast<int>(i);
    }

    void highlightingReplacesTheHighlightAndUndoesToIt() {
        QFETCH(int, row);
        const THighlightCase& test = HighlightCases[row];
        Fill(Shop);
        view->SetRowSelected(5, true);
        dialogs.wordFrequency = {test.Words, false};
        Action(WordFrequencyCommand.Name).trigger();
        QVERIFY(!reported);
        QCOMPARE(dialogs.shown, Strings{"word frequency"});
        QCOMPARE(dialogs.wordFrequencyCounts, CountWordFrequencies(Current(), 1));
        QCOMPARE(view->SelectedRows(), test.Rows);
        QCOMPARE(Texts(Current()), Shop);

        QVERIFY(Enabled(UndoCommand.Name));
        QCOMPARE(Action(UndoCommand.Name).text(), QString("Undo ") + WordFrequencyHighlightName);
        Action(UndoCommand.Name).trigger();
        QCOMPARE(view->SelectedRows(), std::vector<int>{5});
        Action(RedoCommand.Name).trigger();
        QCOMPARE(view->SelectedRows(), test.Rows);
    }

    // The words go to the chosen list as entries; its undo level lies on that list, the current one keeps
    // none.
    void sendingAppendsTheWordsToTheChosenList() {
        Fill(Shop);
        TKeyItems& target = lists->GetList(2);
        target.AddKeyword("old");
        dialogs.wordFrequency = {{"red", "rote schuhe"}, true};
        dialogs.selectList = {&target, false};
        Action(WordFrequencyCommand.Name).trigger();
        QVERIFY(!reported);
        QCOMPARE(dialogs.shown, (Strings{"word frequency", "select list"}));
        QCOMPARE(Texts(target), (Strings{"old", "red", "rote schuhe"}));
        QCOMPARE(Texts(Current()), Shop);
        QVERIFY(!Enabled(UndoCommand.Name));

        controller->SelectListTab(2);
        QVERIFY(Enabled(UndoCommand.Name));
        QCOMPARE(Action(UndoCommand.Name).text(), QString("Undo ") + WordFrequencySendName);
        Action(UndoCommand.Name).trigger();
        QCOMPARE(Texts(target), Strings{"old"});
        Action(RedoCommand.Name).trigger();
        QCOMPARE(Texts(target), (Strings{"old", "red", "rote schuhe"}));

        dialogs.wordFrequency = {{"red"}, true};
        dialogs.selectList = {&target, true};
        controller->SelectListTab(0);
        Action(WordFrequencyCommand.Name).trigger();
        QCOMPARE(Texts(target), Strings{"red"});
    }

    // Closing the dialog, or choosing the current list as the target, changes nothing and keeps no level.
    void cancellingChangesNothing() {
        Fill(Shop);
        view->SetRowSelected(3, true);
        dialogs.wordFrequency = {{"red"}, false};
        dialogs.confirm = false;
        Action(WordFrequencyCommand.Name).trigger();
        dialogs.confirm = true;
        dialogs.wordFrequency = {{"red"}, true};
        dialogs.selectList = {&Current(), false};
        Action(WordFrequencyCommand.Name).trigger();
        QVERIFY(!reported);
        QCOMPARE(view->SelectedRows(), std::vector<int>{3});
        QCOMPARE(Texts(Current()), Shop);
        QVERIFY(!Enabled(UndoCommand.Name));
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    WordFrequencyCommandTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "WordFrequencyCommandTest.moc"
