#include "tests/ui/ControllerHarness.h"

#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/Misspellings.h"
#include "core/WordFrequency.h"
#include "ui/Application.h"
#include "ui/EditCommands.h"
#include "ui/WordFrequencyCommand.h"

#include <QtTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

// Enough entries for every operation to report several times, on two threads.
constexpr int Entries = 200000;

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "pt-cancel-XXXXXX").string();
        return std::string(mkdtemp(pattern.data()));
    }();
    return folder;
}

const std::string ImportFile = Folder() + "/import.txt";
const std::string ExportFile = Folder() + "/export.txt";

} // namespace

class CancelTest : public QObject, private TControllerHarness {
    Q_OBJECT

private:
    TListState State() { return TControllerHarness::State(Current()); }

    // A fresh controller on a long list with duplicates, some rows highlighted, sorted one way and renamed.
    void Start() {
        StartController();
        std::mt19937 random(11);
        for (int i = 0; i < Entries; ++i)
            Current().AddKeyword("Red shoes " + std::to_string(random() % (Entries / 2)));
        Current().SortOrder = 2;
        Current().Name = "Shoes";
        controller->RefreshView(false, false);
        for (int row = 5; row < 40; row += 3)
            view->SetRowSelected(row, true);
        view->chosenFile = ImportFile;
        dialogs.multiply = {SourceAllEntries, &Current(), DoubledChars | SwappedChars, {}};
        parameters.lines = {"shoes"};
        controller->SetMemoryBudget(std::size_t{4} << 30);
    }

    void Run(const QString& command) {
        if (command == "import")
            controller->Import();
        else if (command == "sort")
            controller->SortByColumn(1);
        else
            Action(command.toUtf8().constData()).trigger();
    }

private slots:
    void initTestCase() {
        std::ofstream file(ImportFile, std::ios::binary);
        std::mt19937 random(5);
        for (int i = 0; i < 2 * Entries; ++i)
            file << "blue boots " << random() << "\r\n";
        std::ofstream(ExportFile, std::ios::binary) << "kept\r\n";
    }

    void cleanupTestCase() { std::filesystem::remove_all(Folder()); }

    void commands_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("import") << "import";
        QTest::newRow("duplicates") << CommandOf(TCommandId::DeleteDuplicates).Name;
        QTest::newRow("sort menu") << CommandOf(TCommandId::ModifySortAscWC).Name;
        QTest::newRow("sort header") << "sort";
        QTest::newRow("misspellings") << CommandOf(TCommandId::MultipleMisspelled).Name;
        QTest::newRow("upper case") << CommandOf(TCommandId::ModifyUpperCase).Name;
        QTest::newRow("unwanted terms") << CommandOf(TCommandId::CleanUnwantedTerms).Name;
        QTest::newRow("export") << CommandOf(TCommandId::ExportToFile).Name;
    }

    // Cancelled at its first, a middle or its last report, a command leaves the list as it was, byte for
    // byte, with its highlight, sort order and name, and the exported file as it was; nothing is asked,
    // nothing can be undone, and the progress ends.
    void commands() {
        QFETCH(QString, command);
        const bool exports = command == CommandOf(TCommandId::ExportToFile).Name;
        view = nullptr;
        Start();
        view->chosenFile = exports ? ExportFile : ImportFile;
        const TListState before = State();
        Run(command);
        QVERIFY(!reported);
        const int reports = static_cast<int>(view->progressFractions.size());
        QVERIFY2(reports >= 3, std::to_string(reports).c_str());
        QVERIFY(view->cancelOffered);
        QVERIFY(exports ? FileText(ExportFile) != "kept\r\n" : !(State() == before));
        StopController();
        for (int at : {1, reports / 2, reports}) {
            std::ofstream(ExportFile, std::ios::binary) << "kept\r\n";
            Start();
            view->chosenFile = exports ? ExportFile : ImportFile;
            view->cancelAt = at;
            Run(command);
            QVERIFY(!reported);
            QCOMPARE(static_cast<int>(view->progressFractions.size()), at);
            QVERIFY(State() == before);
            QCOMPARE(FileText(ExportFile), std::string("kept\r\n"));
            QVERIFY(view->asked.empty());
            QVERIFY(!Enabled(UndoCommand.Name));
            QVERIFY(view->progressEnds > 0);
            StopController();
        }
    }

    // Counting the words for the word-frequency dialog shows its progress, and once cancelled hands the
    // dialog nothing to show.
    void wordCountingIsCancelled() {
        for (int at : {0, 2}) {
            Start();
            view->cancelAt = at;
            dialogs.wordFrequencyCounts.reset();
            Action(WordFrequencyCommand.Name).trigger();
            QVERIFY(!reported);
            QVERIFY(view->cancelOffered);
            QVERIFY(view->progressEnds > 0);
            if (at == 0)
                QCOMPARE(dialogs.wordFrequencyCounts, CountWordFrequencies(Current(), 1));
            else
                QVERIFY(!dialogs.wordFrequencyCounts);
            StopController();
        }
    }

    // A command that runs without undo, as the user allowed when its level did not fit, offers no cancel
    // and runs to its end.
    void withoutUndoNothingIsCancelled() {
        Start();
        management->UndoMemory = 1;
        view->cancelAt = 1;
        const TListState before = State();
        Action(CommandOf(TCommandId::DeleteDuplicates).Name).trigger();
        QVERIFY(!reported);
        QVERIFY(!view->cancelOffered);
        QVERIFY(view->progressFractions.size() > 1);
        QVERIFY(State().Entries.size() < before.Entries.size());
        StopController();
    }

    // A failure inside a long command reaches the error report as it is, with the command's checkpoint
    // trail, and the progress ends.
    void failuresStillReachTheReport() {
        Start();
        int reports = 0;
        view->onProgress = [&] {
            if (++reports == 2)
                throw EListError("failed inside");
        };
        Action(CommandOf(TCommandId::DeleteDuplicates).Name).trigger();
        QVERIFY(reported);
        try {
            std::rethrow_exception(reported);
        } catch (const EListError& error) {
            QCOMPARE(error.Message, std::string("failed inside"));
        }
        QVERIFY2(TrailText() == "d027->d026", TrailText().c_str());
        QVERIFY(view->progressEnds > 0);
        StopController();
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    CancelTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "CancelTest.moc"
