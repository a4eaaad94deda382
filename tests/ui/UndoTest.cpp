#include "tests/ui/ControllerHarness.h"

#include "dialogs/ButtonEx.h"
#include "ui/Application.h"
#include "ui/EditCommands.h"

#include <QtTest>

#include <random>

namespace {

using Strings = std::vector<std::string>;

// One thing the user does: a command of the table, the Add button or a click on a column header.
struct TStep {
    enum { Command, Add, Header } Kind;
    TCommandId Id = TCommandId::DeleteAll;
    int Value = 0;
    // What its undo is called.
    std::string Name = {};
};

// Few entries with the term the dialogs answer, so that deleting what it highlights takes the rows out.
Strings StartEntries() {
    Strings entries = {"red shoes", "cheap  red boots", "boots red", "Hat", "boots red", "Blue Hat", "hat"};
    for (int i = 0; i < 20; ++i)
        entries.push_back("green  socks " + std::to_string(i));
    return entries;
}

const Strings Start = StartEntries();

} // namespace

class UndoTest : public QObject, private TControllerHarness {
    Q_OBJECT

private:
    TListState State(int index) { return TControllerHarness::State(lists->GetList(index)); }
    std::vector<TListState> AllStates() {
        std::vector<TListState> states;
        for (int i = 0; i < lists->ListCount(); ++i)
            states.push_back(State(i));
        return states;
    }
    void Answer() {
        parameters.lines = {"red"};
        parameters.wordCount = 2;
        parameters.characters = TCharSet();
        parameters.characters.Include('b');
        parameters.word = "+";
        parameters.find = "red";
        parameters.replacement = "blue";
        dialogs.multiply = {SourceTypedWords, &Current(), 2, {"cd ab"}};
        TKeyItems& other = lists->GetList(4);
        for (const char* text : {"hat", "boots red", "red", "new one"})
            other.AddKeyword(text);
        dialogs.otherList = &other;
        dialogs.characterCount = 9;
    }
    // Runs the step as the user would; false when its command is disabled.
    bool Run(const TStep& step) {
        switch (step.Kind) {
        case TStep::Command: {
            const char* name = CommandOf(step.Id).Name;
            if (!Enabled(name))
                return false;
            Action(name).trigger();
            break;
        }
        case TStep::Add:
            dialogs.addWords = {{"added " + std::to_string(step.Value), "Red Hat"}, step.Value % 3 != 0};
            controller->AddKeywords();
            break;
        case TStep::Header:
            if (Current().Count() == 0)
                return false;
            controller->SortByColumn(step.Value);
            break;
        }
        return !reported;
    }

private slots:
    void init() {
        StartController();
        Answer();
    }

    void cleanup() { StopController(); }

    // Random commands with random undo and redo between them end where running only the commands that were
    // not undone ends, on fresh lists. Each undo names the command it takes back.
    void undoAndRedoEndWhereTheSurvivingCommandsLead_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed = 1; seed <= 30; ++seed)
            QTest::newRow(std::to_string(seed).c_str()) << seed;
    }

    void undoAndRedoEndWhereTheSurvivingCommandsLead() {
        QFETCH(unsigned, seed);
        std::vector<TCommandId> changing;
        for (const TCommand& command : CommandTable())
            if (ChangeOf(command) != TListChange::Nothing && command.Id != TCommandId::ExportToList &&
                command.Id != TCommandId::ExportToListHighlighted)
                changing.push_back(command.Id);
        std::mt19937 random(seed);
        Fill(Start);
        std::vector<TStep> done, undone;
        for (int i = 0; i < 80; ++i) {
            const unsigned pick = random() % 10;
            if (pick < 2 && Enabled(UndoCommand.Name)) {
                QVERIFY(!done.empty());
                const TStep last = done.back();
                QCOMPARE(Action(UndoCommand.Name).text().toStdString(), "Undo " + last.Name);
                Action(UndoCommand.Name).trigger();
                undone.push_back(last);
                done.pop_back();
            } else if (pick < 4 && Enabled(RedoCommand.Name)) {
                QVERIFY(!undone.empty());
                QCOMPARE(Action(RedoCommand.Name).text().toStdString(), "Redo " + undone.back().Name);
                Action(RedoCommand.Name).trigger();
                done.push_back(undone.back());
                undone.pop_back();
            } else {
                TStep step{TStep::Command, changing[random() % changing.size()]};
                if (pick == 4)
                    step = {TStep::Add, {}, static_cast<int>(random() % 100)};
                else if (pick == 5)
                    step = {TStep::Header, {}, static_cast<int>(random() % 2)};
                else if (pick == 6)
                    step = {TStep::Command, TCommandId::DeleteHighlighted};
                const std::vector<TListState> before = AllStates();
                if (!Run(step))
                    continue;
                // A command that changed nothing leaves no level, and the redo levels stay.
                if (AllStates() != before) {
                    step.Name = step.Kind == TStep::Command ? UndoNameOf(CommandOf(step.Id))
                                : step.Kind == TStep::Add   ? "Add"
                                                            : UndoNameOf(TSortOrder(Current().SortOrder));
                    done.push_back(step);
                    undone.clear();
                }
            }
            QVERIFY(!reported);
            QCOMPARE(Enabled(UndoCommand.Name), !done.empty());
            QCOMPARE(Enabled(RedoCommand.Name), !undone.empty());
        }
        const std::vector<TListState> reached = AllStates();

        cleanup();
        init();
        Fill(Start);
        for (const TStep& step : done)
            QVERIFY(Run(step));
        QVERIFY(AllStates() == reached);
    }

    // Each command of the "Lists" drop-down that changes the list is undone to the state before it, named
    // after it, and redone to the state it made.
    void everyListsCommandIsUndoneAndRedone() {
        Fill(Start);
        for (const TCommand* command : MenuCommands(TMenuId::Lists)) {
            if (ChangeOf(*command) == TListChange::Nothing)
                continue;
            view->ClearSelection();
            for (int row : {0, 5})
                view->SetRowSelected(row, true);
            const std::vector<TListState> before = AllStates();
            Action(command->Name).trigger();
            const std::vector<TListState> after = AllStates();
            QVERIFY2(after != before, command->Name);
            QVERIFY(Enabled(UndoCommand.Name));
            QCOMPARE(Action(UndoCommand.Name).text().toStdString(), "Undo " + UndoNameOf(*command));
            Action(UndoCommand.Name).trigger();
            QVERIFY2(AllStates() == before, command->Name);
            QVERIFY(Enabled(RedoCommand.Name));
            Action(RedoCommand.Name).trigger();
            QVERIFY2(AllStates() == after, command->Name);
            Action(UndoCommand.Name).trigger();
            QVERIFY(!reported);
        }
    }

    // A few highlighted rows deleted come back in their places, highlighted, and go again.
    void deletedRowsComeBackInTheirPlaces() {
        Fill(Start);
        for (int row : {0, 3, 4, 10})
            view->SetRowSelected(row, true);
        const TListState before = State(0);
        Action("aDeleteHighlighted").trigger();
        TListState after = before;
        after.Highlighted.clear();
        for (int row : {10, 4, 3, 0})
            after.Entries.erase(after.Entries.begin() + row);
        QCOMPARE(State(0) == after, true);
        QVERIFY(Enabled(UndoCommand.Name));
        Action(UndoCommand.Name).trigger();
        QCOMPARE(State(0) == before, true);
        QVERIFY(Enabled(RedoCommand.Name));
        Action(RedoCommand.Name).trigger();
        QCOMPARE(State(0) == after, true);
        QVERIFY(!reported);
    }

    // The export undoes on the list it filled; the list it came from keeps no level.
    void anExportIsUndoneOnItsTarget() {
        Fill({"a", "b"});
        TKeyItems& target = lists->GetList(1);
        target.AddKeyword("old");
        dialogs.selectList = {&target, true};
        Action("aExportToList").trigger();
        QVERIFY(!Enabled(UndoCommand.Name));
        controller->SelectListTab(1);
        QCOMPARE(State(1).Entries, (Strings{"a", "b"}));
        QVERIFY(Enabled(UndoCommand.Name));
        QCOMPARE(Action(UndoCommand.Name).text(), QString("Undo Export All To Another List"));
        Action(UndoCommand.Name).trigger();
        QCOMPARE(State(1).Entries, (Strings{"old"}));
        QCOMPARE(view->RowCount(), 1);
        QVERIFY(Enabled(RedoCommand.Name));
        QCOMPARE(Action(RedoCommand.Name).text(), QString("Redo Export All To Another List"));
        QVERIFY(!Enabled(UndoCommand.Name));
        Action(RedoCommand.Name).trigger();
        QCOMPARE(State(1).Entries, (Strings{"a", "b"}));
        QVERIFY(!reported);
    }

    // A level that can't fit the undo memory asks first: No runs nothing, Yes runs the command and the
    // list's older levels go, since they no longer lead back.
    void aCommandTooLargeToUndoAsksFirst() {
        Fill({"Red", "Blue"});
        Action("aModifyUpperCase").trigger();
        QVERIFY(Enabled(UndoCommand.Name));
        management->UndoMemory = 0;
        controller->SetMemoryBudget(64);
        view->answers = {TMsgResult::No};
        Action("aModifyLowerCase").trigger();
        QCOMPARE(view->asked.size(), std::size_t{1});
        QVERIFY(view->asked[0].Text.ends_with("Go ahead without undo?"));
        QCOMPARE(view->asked[0].Buttons, TMsgButtons::YesNo);
        QCOMPARE(State(0).Entries, (Strings{"RED", "BLUE"}));
        view->answers = {TMsgResult::Yes};
        Action("aModifyLowerCase").trigger();
        QCOMPARE(State(0).Entries, (Strings{"red", "blue"}));
        QVERIFY(!Enabled(UndoCommand.Name));
        QVERIFY(!reported);
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    UndoTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "UndoTest.moc"
