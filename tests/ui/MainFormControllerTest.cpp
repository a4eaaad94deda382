#include "tests/ui/ControllerHarness.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "core/Clipboard.h"
#include "core/Exceptions.h"
#include "core/MemoryBudget.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHook.h"
#include "frame/ManagementLayer.h"
#include "ui/Application.h"
#include "ui/MainFormController.h"

#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <optional>

namespace {

using Strings = std::vector<std::string>;

Strings Texts(const TKeyItems& list) {
    Strings texts;
    for (auto t : list.AllTexts())
        texts.emplace_back(t);
    return texts;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What one command does, stated on its own: the list {Base} with rows 1 and 3 selected and the dialogs
// answered as everyCommandHasItsEffect answers them. Rule: E needs entries, H highlighted rows, A always.
struct TCommandEffect {
    TCommandId Command;
    char Rule;
    Strings Entries;
    std::vector<int> Selected;
    // The dialogs run and the messages shown.
    Strings Shown;
    // What reached the clipboard, the file, the other list or the view's font.
    std::string Output;
    // The list to start from, when not Base.
    Strings Start = {};
};

const Strings Base = {"red shoes", "cheap  red boots", "boots red", "Hat", "boots red"};
const std::vector<int> Kept = {1, 3};
const Strings Third = {"RED SHOES", "boots", "x"};
const std::vector<int> None = {};
const std::string Pasted =
    "Keyword data transfered to Windows clipboard\r\nUse you application's 'Paste' menu "
    "option to\r\naccess the clipboard.";

QStringList Listed(const Strings& texts) {
    QStringList listed;
    for (const auto& text : texts)
        listed << QString::fromStdString(text);
    return listed;
}

std::string Joined(const Strings& texts) {
    std::string joined;
    for (const auto& text : texts)
        joined += (joined.empty() ? "" : "|") + text;
    return joined;
}

Strings Plus(Strings texts, const Strings& more) {
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

const std::vector<TCommandEffect>& CommandEffects() {
    using enum TCommandId;
    static const std::vector<TCommandEffect> effects = {
        {DeleteAll, 'E', {}, None, {"Delete all input keywords?"}, ""},
        {DeleteHighlighted, 'H', {"red shoes", "boots red", "boots red"}, None, {}, ""},
        {DeleteDuplicates,
         'E',
         {"red shoes", "cheap  red boots", "boots red", "Hat"},
         None,
         {"1 duplicates removed."},
         ""},
        {DeleteWordAtAnyWhere, 'E', {"Hat"}, None, {"Unwanted Words"}, ""},
        {DeleteWordAtStart,
         'E',
         {"cheap  red boots", "boots red", "Hat", "boots red"},
         None,
         {"Unwanted Words"},
         ""},
        {DeleteWordAtEnd, 'E', {"red shoes", "cheap  red boots", "Hat"}, None, {"Unwanted Words"}, ""},
        {DeleteWordAtMiddle,
         'E',
         {"red shoes", "boots red", "Hat", "boots red"},
         None,
         {"Unwanted Words"},
         ""},
        {DeleteWordCountMore,
         'E',
         {"red shoes", "boots red", "Hat", "boots red"},
         None,
         {"Delete entries with more than 'N' words"},
         ""},
        {DeleteWordCountLess,
         'E',
         {"red shoes", "cheap  red boots", "boots red", "boots red"},
         None,
         {"Delete entries with less than 'N' words"},
         ""},
        {DeleteWordCountExactly,
         'E',
         {"cheap  red boots", "Hat"},
         None,
         {"Delete entries with exactly 'N' words"},
         ""},
        {HighlightAll, 'E', Base, {0, 1, 2, 3, 4}, {}, ""},
        {HighlightInvert, 'H', Base, {0, 2, 4}, {}, ""},
        {HighlightNone, 'H', Base, None, {}, ""},
        {HighlightWordAtStart, 'E', Base, {0}, {"Words To LookFor"}, ""},
        {HighlightWordAtEnd, 'E', Base, {2, 4}, {"Words To LookFor"}, ""},
        {HighlightWordAtAnyWhere, 'E', Base, {0, 1, 2, 4}, {"Words To LookFor"}, ""},
        {HighlightWordCountMore, 'E', Base, {1}, {""}, ""},
        {HighlightWordCountLess, 'E', Base, {3}, {""}, ""},
        {HighlightWordCountExactly, 'E', Base, {0, 2, 4}, {""}, ""},
        {ConfigFont, 'A', Base, Kept, {"colors and font"}, "font Tahoma"},
        {ConfigUpdates, 'A', Base, Kept, {"update check"}, ""},
        {ExportToFile,
         'E',
         Base,
         Kept,
         {"save file", "Done"},
         "file red shoes\r\ncheap  red boots\r\nboots red\r\nHat\r\nboots red\r\n"},
        {ExportToList,
         'E',
         Base,
         Kept,
         {"select list"},
         "list red shoes|cheap  red boots|boots red|Hat|boots red"},
        {ExportToClipboard,
         'E',
         Base,
         Kept,
         {Pasted},
         "clipboard red shoes\r\ncheap  red boots\r\nboots red\r\nHat\r\nboots red\r\n"},
        {ExportToClipboardComma,
         'E',
         Base,
         Kept,
         {Pasted},
         "clipboard red shoes, cheap  red boots, boots red, Hat, boots red"},
        {ExportToFileHighlighted, 'H', Base, Kept, {"save file", "Done"}, "file cheap  red boots\r\nHat\r\n"},
        {ExportToListHighlighted, 'H', Base, Kept, {"select list"}, "list cheap  red boots|Hat"},
        {ExportToClipboardHighlighted, 'H', Base, Kept, {Pasted}, "clipboard cheap  red boots\r\nHat\r\n"},
        {ExportToClipboardCommaHighlighted, 'H', Base, Kept, {Pasted}, "clipboard cheap  red boots, Hat"},
        {CleanUnwantedTerms,
         'E',
         {" shoes", "cheap   boots", "boots ", "Hat", "boots "},
         None,
         {"Unwanted Words"},
         ""},
        {CleanRepeatedSpaces,
         'E',
         {"red shoes", "cheap red boots", "boots red", "Hat", "boots red"},
         None,
         {},
         ""},
        {CleanRepeatedCharacters,
         'E',
         {"red shoes", "cheap red bots", "bots red", "Hat", "bots red"},
         None,
         {},
         ""},
        {CleanUnwantedCharacters,
         'E',
         {"red shoes", "cheap  red oots", "oots red", "Hat", "oots red"},
         None,
         {"characters"},
         ""},
        {CleanTrailingChars,
         'E',
         {"red shoes", "cheap  red boots", "oots red", "Hat", "oots red"},
         None,
         {"characters"},
         ""},
        {ModifyAddWordsAtStart,
         'E',
         {"+red shoes", "+cheap  red boots", "+boots red", "+Hat", "+boots red"},
         None,
         {"word"},
         ""},
        {ModifyAddWordsAtEnd,
         'E',
         {"red shoes+", "cheap  red boots+", "boots red+", "Hat+", "boots red+"},
         None,
         {"word"},
         ""},
        {ModifyUpperCase,
         'E',
         {"RED SHOES", "CHEAP  RED BOOTS", "BOOTS RED", "HAT", "BOOTS RED"},
         None,
         {},
         ""},
        {ModifyLowerCase,
         'E',
         {"red shoes", "cheap  red boots", "boots red", "hat", "boots red"},
         None,
         {},
         ""},
        {ModifyCamelCase,
         'E',
         {"Red Shoes", "Cheap  Red Boots", "Boots Red", "Hat", "Boots Red"},
         None,
         {},
         ""},
        {ModifySearchReplace,
         'E',
         {"blue shoes", "cheap  blue boots", "boots blue", "Hat", "boots blue"},
         None,
         {"search"},
         ""},
        {ModifySortAsc,
         'E',
         {"boots red", "boots red", "cheap  red boots", "Hat", "red shoes"},
         None,
         {},
         ""},
        {ModifySortDesc,
         'E',
         {"red shoes", "Hat", "cheap  red boots", "boots red", "boots red"},
         None,
         {},
         ""},
        {ModifySortAscWC,
         'E',
         {"Hat", "boots red", "boots red", "red shoes", "cheap  red boots"},
         None,
         {},
         ""},
        {ModifySortDescWC,
         'E',
         {"cheap  red boots", "red shoes", "boots red", "boots red", "Hat"},
         None,
         {},
         ""},
        {ModifyGoogleQuote,
         'E',
         {"\"red shoes\"", "\"cheap  red boots\"", "\"boots red\"", "\"Hat\"", "\"boots red\""},
         None,
         {},
         ""},
        {ModifyGoogleBracket,
         'E',
         {"[red shoes]", "[cheap  red boots]", "[boots red]", "[Hat]", "[boots red]"},
         None,
         {},
         ""},
        {ModifyGoogleNone,
         'E',
         Base,
         None,
         {},
         "",
         {"\"red shoes\"", "[cheap  red boots]", "boots red", "[Hat]", "\"boots red\""}},
        {MultiplyReplaceAndDuplicate,
         'E',
         Plus(Base, {"blue shoes", "cheap  blue boots", "boots blue", "boots blue"}),
         None,
         {"search"},
         ""},
        {MultiplyAddWordsStart,
         'E',
         Plus(Base, {"+red shoes", "+cheap  red boots", "+boots red", "+Hat", "+boots red"}),
         None,
         {"word"},
         ""},
        {MultiplyAddWordsEnd,
         'E',
         Plus(Base, {"red shoes+", "cheap  red boots+", "boots red+", "Hat+", "boots red+"}),
         None,
         {"word"},
         ""},
        {MultipleRecombine, 'A', Plus(Base, {"cd ab", "ab cd"}), None, {"combine words"}, ""},
        {MultipleGoogleQuote,
         'E',
         {"red shoes", "cheap  red boots", "boots red", "Hat", "\"red shoes\"", "\"cheap  red boots\"",
          "\"boots red\"", "\"Hat\""},
         None,
         {},
         ""},
        {MultipleGoogleBracket,
         'E',
         {"red shoes", "cheap  red boots", "boots red", "Hat", "[red shoes]", "[cheap  red boots]",
          "[boots red]", "[Hat]"},
         None,
         {},
         ""},
        {MultipleMisspelled,
         'A',
         Plus(Base, {"cd ab", "d ab", "c ab", "cd b", "cd a"}),
         None,
         {"misspellings"},
         ""},
        // The other list is {Third}; the character count answered is 9.
        {ListsDeleteFound,
         'E',
         {"cheap  red boots", "boots red", "Hat", "boots red"},
         None,
         {"Delete entries found in another list"},
         ""},
        {ListsHighlightFound, 'E', Base, {0}, {"Highlight entries found in another list"}, ""},
        {ListsKeepFound, 'E', {"red shoes"}, None, {"Keep only entries found in another list"}, ""},
        {ListsDeleteWordsOf, 'E', {"Hat"}, None, {"Delete entries with words of another list"}, ""},
        {ListsAddMissing,
         'A',
         Plus(Base, {"boots", "x"}),
         None,
         {"Add missing entries from another list"},
         ""},
        {ListsDeleteSameWords,
         'E',
         {"red shoes", "boots red", "Hat"},
         None,
         {"2 duplicates removed."},
         "",
         {"red shoes", "Shoes  RED", "boots red", "Hat", "red boots"}},
        {ListsHighlightLonger, 'E', Base, {1}, {"Highlight entries longer than 'N' characters 80"}, ""},
    };
    return effects;
}
} // namespace

class MainFormControllerTest : public QObject, private TControllerHarness {
    Q_OBJECT

private:
    QTemporaryDir folder;

    void Fill(std::initializer_list<const char*> texts) {
        for (auto t : texts)
            Current().AddKeyword(t);
        controller->RefreshView(false, false);
    }
    void Run(const char* name) {
        TAction* action = controller->FindAction(name);
        QVERIFY2(action, name);
        action->Update();
        QVERIFY2(action->isEnabled(), name);
        // As a menu runs it: a failure goes to the application's handler, recorded in reported.
        action->trigger();
    }
    void SelectRows(std::initializer_list<int> rows) {
        view->ClearSelection();
        for (int r : rows)
            view->SetRowSelected(r, true);
    }

private slots:
    void init() { StartController(); }

    void cleanup() { StopController(); }

    void constructionMakesSixListsWithTabsAndBindsEveryCommand() {
        QCOMPARE(lists->ListCount(), 6);
        QCOMPARE(view->tabs,
                 (std::vector<std::string>{"List-A", "List-B", "List-C", "List-D", "List-E", "List-F"}));
        QCOMPARE(view->currentTab, 0);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(lists->GetList(i).Name, view->tabs[static_cast<std::size_t>(i)]);
        QCOMPARE(lists->CurrentList(), &lists->GetList(0));
        QCOMPARE(view->imagesLoaded, 1);
        QCOMPARE(view->menusAttached, 1);
        QCOMPARE(view->windowTitle(), QString("Pellox Termwright V 1.1.0 [Pellox Marketing LTD]"));
        QVERIFY(TrailEmpty());
        QCOMPARE(controller->FindAction("aDeleteWordAtMiddle")->Tag, 2);
        QCOMPARE(controller->FindAction("aModifyCamelCase")->Tag, 3);
        QCOMPARE(controller->FindAction("aExportToClipboardCommaHighlighted")->Tag, 2);
        for (const TCommand& command : CommandTable())
            QVERIFY2(controller->FindAction(command.Name)->OnExecute, command.Name);
    }

    void everyCommandHasItsEffect_data() {
        std::vector<int> rows(CommandCount, 0);
        for (const TCommandEffect& effect : CommandEffects())
            ++rows[static_cast<std::size_t>(effect.Command)];
        QCOMPARE(rows, std::vector<int>(CommandCount, 1));
        QTest::addColumn<int>("row");
        for (std::size_t i = 0; i < CommandEffects().size(); ++i)
            QTest::newRow(CommandOf(CommandEffects()[i].Command).Name) << static_cast<int>(i);
    }

    // Each command through its action, as a menu runs it: its enable rule in the three states of the list,
    // then its effect.
    void everyCommandHasItsEffect() {
        QFETCH(int, row);
        const TCommandEffect& effect = CommandEffects()[static_cast<std::size_t>(row)];
        const TCommand& command = CommandOf(effect.Command);
        TAction* action = controller->FindAction(command.Name);
        QVERIFY(action);
        const auto enabled = [action] {
            action->Update();
            return action->isEnabled();
        };
        QCOMPARE(enabled(), effect.Rule == 'A');
        const Strings& start = effect.Start.empty() ? Base : effect.Start;
        for (const std::string& text : start)
            Current().AddKeyword(text);
        controller->RefreshView(false, false);
        QCOMPARE(enabled(), effect.Rule != 'H');
        SelectRows({1, 3});
        QVERIFY(enabled());

        TKeyItems& other = lists->GetList(1);
        other.AddKeyword("old");
        parameters.lines = {"red"};
        parameters.wordCount = 2;
        parameters.characters.Include('b');
        parameters.word = "+";
        parameters.find = "red";
        parameters.replacement = "blue";
        dialogs.selectList = {&other, true};
        dialogs.multiply = {SourceTypedWords, &Current(), 4, {"cd ab"}};
        for (const std::string& text : Third)
            lists->GetList(2).AddKeyword(text);
        dialogs.otherList = &lists->GetList(2);
        dialogs.characterCount = 9;
        const std::string path = folder.filePath("export.txt").toStdString();
        QFile::remove(QString::fromStdString(path));
        view->chosenFile = path;
        const std::size_t fonts = view->fonts.size();

        action->trigger();
        QVERIFY(!reported);

        QCOMPARE(Listed(Texts(Current())), Listed(effect.Entries));
        QCOMPARE(view->SelectedRows(), effect.Selected);
        Strings shown = parameters.titles;
        shown.insert(shown.end(), dialogs.shown.begin(), dialogs.shown.end());
        if (!view->foldersOffered.empty())
            shown.emplace_back("save file");
        for (const auto& asked : view->asked)
            shown.push_back(asked.Text);
        QCOMPARE(Listed(shown), Listed(effect.Shown));
        std::string output;
        if (!clipboard.text.empty())
            output += "clipboard " + clipboard.text;
        if (QFile::exists(QString::fromStdString(path)))
            output += "file " + ReadFile(path);
        if (Texts(other) != Strings{"old"})
            output += "list " + Joined(Texts(other));
        if (view->fonts.size() > fonts)
            output += "font " + view->fonts.back().Name;
        QCOMPARE(QString::fromStdString(output), QString::fromStdString(effect.Output));
        QVERIFY(TrailEmpty());
    }

    void aSeventhAndTwentySeventhList() {
        TKeyItems& g = controller->AddListTab(false);
        QCOMPARE(g.Name, std::string("List-G"));
        QCOMPARE(view->tabs.back(), g.Name);
        QCOMPARE(view->currentTab, 0);
        controller->AddListTab(true);
        QCOMPARE(view->currentTab, 7);
        QCOMPARE(lists->CurrentList(), &lists->GetList(7));
        for (int i = 8; i < 26; ++i)
            controller->AddListTab(false);
        try {
            controller->AddListTab(false);
            QFAIL("a 27th list was made");
        } catch (const Exception& e) {
            QCOMPARE(e.Message, std::string("Too much lists"));
        }
        QCOMPARE(lists->ListCount(), 26);
    }

    void enableRulesFollowEntriesAndSelection() {
        for (const char* name : {"aDeleteAll", "aCleanRepeatedSpaces", "aHighlightAll", "aExportToFile"})
            QVERIFY2(!Enabled(name), name);
        for (const char* name :
             {"aMultipleMisspelled", "aMultipleRecombine", "aConfigFont", "aConfigUpdates"})
            QVERIFY2(Enabled(name), name);
        Fill({"a", "b"});
        QVERIFY(Enabled("aHighlightAll"));
        for (const char* name : {"aDeleteHighlighted", "aHighlightInvert", "aHighlightNone",
                                 "aExportToFileHighlighted", "aExportToClipboardCommaHighlighted"})
            QVERIFY2(!Enabled(name), name);
        SelectRows({1});
        QVERIFY(Enabled("aDeleteHighlighted"));
        QVERIFY(Enabled("aExportToListHighlighted"));
    }

    void deleteAllAsksFirst() {
        Fill({"a", "b"});
        PushCheckpoint("outer");
        view->answers.push_back(TMsgResult::Cancel);
        Run("aDeleteAll");
        QCOMPARE(Current().Count(), 2);
        QCOMPARE(view->asked.back().Text, std::string("Delete all input keywords?"));
        QCOMPARE(view->asked.back().Buttons, TMsgButtons::OkCancel);
        QCOMPARE(view->asked.back().Icon, TMsgIcon::Question);
        view->answers.push_back(TMsgResult::Ok);
        Run("aDeleteAll");
        QCOMPARE(Current().Count(), 0);
        QCOMPARE(view->rowCountCalls.back(), 0);
        QCOMPARE(TrailText(), std::string("outer"));
    }

    void deleteHighlightedAndDuplicates() {
        Fill({"a", "A", "b", "c"});
        SelectRows({3});
        Run("aDeleteHighlighted");
        QCOMPARE(Texts(Current()), (Strings{"a", "A", "b"}));
        QCOMPARE(view->SelectedCount(), 0);
        // The rows the removals took out are no longer named anywhere.
        QCOMPARE(Current().Highlighted.Count(), 0);
        SelectRows({2});
        Run("aDeleteDuplicates");
        QCOMPARE(Texts(Current()), (Strings{"a", "b"}));
        QCOMPARE(Current().Highlighted.Count(), 0);
        QCOMPARE(view->asked.back().Text, std::string("1 duplicates removed."));
        QCOMPARE(view->asked.back().Icon, TMsgIcon::Warning);
        QCOMPARE(view->SelectedCount(), 0);
        Run("aDeleteDuplicates");
        QCOMPARE(view->asked.back().Text, std::string("No duplicates found"));
    }

    void deleteByTermsAndWordCount() {
        Fill({"cheap shoes", "red boots", "shoes cheap", "boots"});
        parameters.lines = {"cheap", "", "  "};
        Run("aDeleteWordAtStart");
        QCOMPARE(parameters.titles.back(), std::string("Unwanted Words"));
        QCOMPARE(Texts(Current()), (Strings{"red boots", "shoes cheap", "boots"}));
        parameters.wordCount = 1;
        Run("aDeleteWordCountMore");
        QCOMPARE(parameters.titles.back(), std::string("Delete entries with more than 'N' words"));
        QCOMPARE(Texts(Current()), Strings{"boots"});
        parameters.confirm = false;
        Run("aDeleteWordCountExactly");
        QCOMPARE(parameters.titles.back(), std::string("Delete entries with exactly 'N' words"));
        QCOMPARE(Current().Count(), 1);
        QVERIFY(TrailEmpty());
    }

    void highlightCommandsChangeOnlyTheSelection() {
        Fill({"red shoes", "blue boots", "red hat", "shoes"});
        Run("aHighlightAll");
        QCOMPARE(view->SelectedCount(), 4);
        SelectRows({0});
        Run("aHighlightInvert");
        QCOMPARE(view->SelectedRows(), (std::vector<int>{1, 2, 3}));
        Run("aHighlightNone");
        QCOMPARE(view->SelectedCount(), 0);
        SelectRows({1});
        parameters.lines = {"red"};
        Run("aHighlightWordAtStart");
        QCOMPARE(parameters.titles.back(), std::string("Words To LookFor"));
        QCOMPARE(view->SelectedRows(), (std::vector<int>{0, 2}));
        parameters.wordCount = 1;
        Run("aHighlightWordCountExactly");
        QCOMPARE(parameters.titles.back(), std::string());
        QCOMPARE(view->SelectedRows(), std::vector<int>{3});
        QCOMPARE(Current().Count(), 4);
    }

    void cleaningAndModifying() {
        Fill({"red  shoes", "Boots"});
        Run("aCleanRepeatedSpaces");
        QCOMPARE(Texts(Current()), (Strings{"red shoes", "Boots"}));
        Run("aModifyUpperCase");
        QCOMPARE(Texts(Current()), (Strings{"RED SHOES", "BOOTS"}));
        parameters.find = "RED";
        parameters.replacement = "blue";
        Run("aModifySearchReplace");
        QCOMPARE(Texts(Current()), (Strings{"blue SHOES", "BOOTS"}));
        Run("aModifySortAsc");
        QCOMPARE(Texts(Current()), (Strings{"blue SHOES", "BOOTS"}));
        QCOMPARE(Current().SortOrder, std::uint8_t{1});
        Run("aModifyGoogleBracket");
        QCOMPARE(Texts(Current()), (Strings{"[blue SHOES]", "[BOOTS]"}));
        parameters.word = "buy ";
        Run("aMultiplyAddWordsStart");
        QCOMPARE(Current().Count(), 4);
        parameters.confirm = false;
        Run("aModifyAddWordsAtEnd");
        QCOMPARE(Current().Count(), 4);
    }

    void headerClicksToggleTheSortOrder() {
        Fill({"b a", "c", "a"});
        controller->SortByColumn(1);
        QCOMPARE(Texts(Current()), (Strings{"a", "b a", "c"}));
        controller->SortByColumn(1);
        QCOMPARE(Texts(Current()), (Strings{"c", "b a", "a"}));
        controller->SortByColumn(0);
        QCOMPARE(Texts(Current()), (Strings{"a", "c", "b a"}));
        controller->SortByColumn(0);
        QCOMPARE(Current().SortOrder, std::uint8_t{4});
    }

    void recombineAllIntoTheCurrentListReplacesIt() {
        Fill({"red shoes", "x"});
        dialogs.multiply = {SourceAllEntries, &Current(), 3, {}};
        Run("aMultipleRecombine");
        QCOMPARE(Texts(Current()), (Strings{"red shoes", "shoes red", "x"}));
        QCOMPARE(management->WordCountLimit, 3);
    }

    void recombineHighlightedAppends() {
        Fill({"a b", "c"});
        SelectRows({0});
        dialogs.multiply = {SourceHighlighted, &Current(), 5, {}};
        Run("aMultipleRecombine");
        QVERIFY(dialogs.combineRequest.AnyHighlighted);
        QCOMPARE(Texts(Current()), (Strings{"a b", "c", "a b", "b a"}));
    }

    void recombineOverBudgetKeepsTheList() {
        Fill({"one two three four five six seven", "a b c d e f g"});
        controller->SetMemoryBudget(1000);
        dialogs.multiply = {SourceAllEntries, &Current(), 7, {}};
        Run("aMultipleRecombine");
        QVERIFY(reported);
        QVERIFY_THROWS_EXCEPTION(EMemoryBudgetError, std::rethrow_exception(reported));
        QCOMPARE(Current().Count(), 2);
        QVERIFY(TrailText().starts_with("d116->"));
    }

    void misspellingsGoToTheChosenList() {
        Fill({"ab"});
        TKeyItems& target = lists->GetList(1);
        dialogs.multiply = {SourceTypedWords, &target, 4, {"cat"}};
        const int countsBefore = static_cast<int>(view->rowCountCalls.size());
        Run("aMultipleMisspelled");
        QCOMPARE(Texts(target), (Strings{"cat", "at", "ct", "ca"}));
        QCOMPARE(static_cast<int>(view->rowCountCalls.size()), countsBefore);
        QCOMPARE(Current().Count(), 1);
    }

    void exportToFileListAndClipboard() {
        Fill({"x", "y"});
        const std::string path = folder.filePath("out.txt").toStdString();
        view->chosenFile = path;
        Run("aExportToFile");
        QCOMPARE(ReadFile(path), std::string("x\r\ny\r\n"));
        QCOMPARE(view->asked.back().Text, std::string("Done"));
        QCOMPARE(management->ExportPath, folder.path().toStdString() + "/");
        SelectRows({1});
        Run("aExportToFileHighlighted");
        QCOMPARE(ReadFile(path), std::string("y\r\n"));

        TKeyItems& other = lists->GetList(2);
        other.AddKeyword("old");
        dialogs.selectList = {&Current(), true};
        Run("aExportToList");
        QCOMPARE(Current().Count(), 2);
        dialogs.selectList = {&other, true};
        Run("aExportToList");
        QCOMPARE(Texts(other), (Strings{"x", "y"}));

        Run("aExportToClipboardComma");
        QCOMPARE(clipboard.text, std::string("x, y"));
        QVERIFY(view->asked.back().Text.starts_with("Keyword data transfered to Windows clipboard\r\n"));
        clipboard.reachable = false;
        Run("aExportToClipboardHighlighted");
        QCOMPARE(view->asked.back().Text, std::string("The keywords could not be placed on the clipboard."));
        QCOMPARE(view->asked.back().Icon, TMsgIcon::Warning);
    }

    void cancelledFileDialogChangesNothing() {
        Fill({"x"});
        view->chosenFile.reset();
        management->ExportPath = "/somewhere/";
        Run("aExportToFile");
        QCOMPARE(management->ExportPath, std::string("/somewhere/"));
        QVERIFY(view->asked.empty());
        QCOMPARE(view->foldersOffered.back(), std::string("/somewhere/"));
    }

    void importAppendsTheFileAndRemembersTheFolder() {
        Fill({"first"});
        const std::string path = folder.filePath("in.txt").toStdString();
        std::ofstream(path, std::ios::binary) << "a\r\n\r\nb\rc\n\x1a"
                                                 "ignored";
        view->chosenFile = path;
        controller->Import();
        QCOMPARE(Texts(Current()), (Strings{"first", "a", "", "bc"}));
        QCOMPARE(management->ImportPath, folder.path().toStdString() + "/");
        view->chosenFile = folder.filePath("missing.txt").toStdString();
        bool failed = false;
        try {
            controller->Import();
        } catch (const EInOutError&) {
            failed = true;
        }
        QVERIFY(failed);
        QCOMPARE(TopCheckpoint(), std::string("d007"));
        QCOMPARE(Current().Count(), 4);
    }

    // Dropped files after one that can't be read are not read; those before it stay, as one undo level.
    void aDroppedFileThatCannotBeReadStopsTheImport() {
        Fill({"first"});
        const std::string good = folder.filePath("good.txt").toStdString();
        std::ofstream(good, std::ios::binary) << "a\r\nb\r\n";
        const std::string missing = folder.filePath("missing.txt").toStdString();
        QVERIFY_THROWS_EXCEPTION(EInOutError, controller->ImportFiles({good, missing, good}));
        QCOMPARE(Texts(Current()), (Strings{"first", "a", "b"}));
        QCOMPARE(view->RowCount(), 3);
        QVERIFY(Enabled("aEditUndo"));
        controller->FindAction("aEditUndo")->trigger();
        QCOMPARE(Texts(Current()), Strings{"first"});
    }

    void addKeywordsReplacesOrAppends() {
        Fill({"old"});
        dialogs.addWords = {{"a", "b"}, true};
        controller->AddKeywords();
        QCOMPARE(Texts(Current()), (Strings{"old", "a", "b"}));
        dialogs.addWords = {{}, false};
        controller->AddKeywords();
        QCOMPARE(Current().Count(), 0);
        dialogs.confirm = false;
        dialogs.addWords = {{"z"}, false};
        controller->AddKeywords();
        QCOMPARE(Current().Count(), 0);
        QVERIFY(TrailEmpty());
    }

    void tabsKeepColumnWidthsAndDropTheSelection() {
        Fill({"a", "b"});
        SelectRows({0, 1});
        view->SetColumnWidth(1, 400);
        controller->SelectListTab(1);
        QCOMPARE(lists->CurrentList(), &lists->GetList(1));
        QCOMPARE(view->ColumnWidth(1), 273);
        QCOMPARE(view->currentTab, 1);
        controller->SelectListTab(0);
        QCOMPARE(view->ColumnWidth(1), 400);
        QCOMPARE(view->SelectedCount(), 0);
        QCOMPARE(view->RowCount(), 2);
    }

    void colorsAndFontApplyTheListsFont() {
        Run("aConfigFont");
        QCOMPARE(view->fonts.back().Name, std::string("Tahoma"));
        QCOMPARE(Current().Settings.GetColor(3), 0x00FF00u);
        dialogs.confirm = false;
        const auto fonts = view->fonts.size();
        Run("aConfigFont");
        QCOMPARE(view->fonts.size(), fonts);
        Run("aConfigUpdates");
        QCOMPARE(dialogs.updateChecks, 1);
    }

    void anErrorLeavesTheTrailAtTheFailedStep() {
        Fill({"a"});
        Current().Highlighted.Clear();
        SelectRows({0});
        Current().Clear();
        Run("aExportToClipboardHighlighted");
        QVERIFY(reported);
        QVERIFY_THROWS_EXCEPTION(EListError, std::rethrow_exception(reported));
        QCOMPARE(TrailText(), std::string("d063->d057"));
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    MainFormControllerTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "MainFormControllerTest.moc"
