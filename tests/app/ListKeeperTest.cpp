// The lists kept between runs, through real restarts of the program with a temporary data folder.
#include "tests/app/ProgramRun.h"

#include "app/MainRoutine.h"
#include "core/BusinessLogicLayer.h"
#include "core/IntList.h"
#include "core/KeyItems.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/ModalRun.h"
#include "frame/ListSaver.h"
#include "frame/ListStore.h"
#include "frame/ManagementLayer.h"
#include "ui/Action.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/ODListView.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct TListImage {
    std::string Name;
    std::uint8_t SortOrder = 0;
    std::vector<std::string> Texts;
    bool operator==(const TListImage&) const = default;
};
struct TImage {
    std::vector<TListImage> Lists;
    int Current = -1;
    std::vector<int> Highlighted;
    bool operator==(const TImage&) const = default;
};

// What the window holds: every list, which is current and its highlighted rows.
TImage Shown() {
    TImage image;
    for (int i = 0; i < TestedProgram->Lists.ListCount(); ++i) {
        const TKeyItems& list = TestedProgram->Lists.GetList(i);
        TListImage& each = image.Lists.emplace_back();
        each.Name = list.Name;
        each.SortOrder = list.SortOrder;
        for (int row = 0; row < list.Count(); ++row)
            each.Texts.emplace_back(list.GetKeyItem(row).Text());
    }
    image.Current = TestedProgram->Lists.IndexOf(TestedProgram->Lists.CurrentList());
    image.Highlighted = TestedProgram->Controller.MainView->SelectedRows();
    return image;
}

TImage Empty() {
    TImage image;
    for (char letter = 'A'; letter <= 'F'; ++letter)
        image.Lists.push_back({std::string("List-") + letter, 0, {}});
    image.Current = 0;
    return image;
}

// The restore is over when the busy cursor it put up is gone.
bool WaitForRestore() {
    return QTest::qWaitFor([] { return QApplication::overrideCursor() == nullptr; }, 5000);
}

void Run(const char* command) {
    TAction* action = TestedProgram->Controller.FindAction(command);
    action->Update();
    action->trigger();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

class ListKeeperTest : public QObject {
    Q_OBJECT

    int argc = 1;
    char* argv[2] = {const_cast<char*>("ListKeeperTest"), nullptr};
    std::unique_ptr<QTemporaryDir> home;
    TFakeControllerDialogs dialogs;
    QStringList boxes;

    std::string Folder() const { return home->filePath("data/Pellox/Termwright/Lists").toStdString(); }

    void RunProgram(std::function<void()> steps) {
        TMainRoutineHooks hooks;
        hooks.ControllerDialogs = &dialogs;
        QCOMPARE(RunWithSteps(argc, argv, hooks, dialogs, std::move(steps)), 0);
    }

    // A saved state of a few entries, written as the program would.
    void SaveSmallState() {
        TListStore store(Folder());
        for (int i = 0; i < 6; ++i) {
            TKeyItems list;
            list.Name = "List-" + std::string(1, static_cast<char>('A' + i));
            list.AddKeyword("entry of " + list.Name);
            store.Stage(i, list);
        }
        store.Commit(6, {2, {{0, 1}}});
    }

private slots:
    void init() {
        home = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", home->filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", home->filePath("data").toUtf8());
        boxes.clear();
        dialogs = TFakeControllerDialogs();
        SetModalShownHook([this](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                boxes << box->text();
            dialog.accept();
        });
    }
    void cleanup() { SetModalShownHook({}); }

    void everyListComesBackAfterARestart() {
        TImage before;
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), Empty());
            for (int i = 0; i < 6; ++i) {
                TKeyItems& list = TestedProgram->Lists.GetList(i);
                for (int n = 0; n < 50 * i; ++n)
                    list.AddKeyword("phrase " + std::to_string((n * 7919) % 101) + " of " + list.Name);
                list.SortOrder = static_cast<std::uint8_t>(i % 5);
            }
            TestedProgram->Lists.GetList(4).AddKeyword("");
            TestedProgram->Lists.GetList(4).AddKeyword("Größe 😀");
            QTest::mouseClick(Window().ListTabs()[3], Qt::LeftButton, {}, QPoint(30, 10));
            Run("aModifySortDesc");
            TIntList rows;
            for (int row : {1, 2, 3, 40, 149})
                rows.Add(row);
            TestedProgram->Controller.MainView->SelectOnly(rows);
            before = Shown();
            QCOMPARE(before.Lists[3].SortOrder, std::uint8_t(2));
        });
        QVERIFY(boxes.isEmpty());
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), before);
            QCOMPARE(Window().lvMain->RowCount(), 150);
            Run("aHighlightAll");
        });
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(TestedProgram->Controller.MainView->SelectedCount(), 150);
        });
        QVERIFY(boxes.isEmpty());
    }

    // Without waiting for the exit: a command's save is on disk as soon as it is done.
    void aCommandsChangeIsSavedBeforeTheExit() {
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            TestedProgram->Lists.GetList(0).AddKeyword("b");
            TestedProgram->Lists.GetList(0).AddKeyword("a");
            Run("aModifySortAsc");
            QVERIFY(QTest::qWaitFor(
                [&] {
                    // A copy, so the running program's folder is left alone.
                    const std::string copy = home->filePath("copy").toStdString();
                    std::error_code error;
                    fs::remove_all(copy, error);
                    fs::copy(Folder(), copy, error);
                    TListStore store(copy);
                    try {
                        const auto kept = store.Load();
                        return kept && kept->Lists[0]->Count() == 2 &&
                               kept->Lists[0]->GetKeyItem(0).Text() == "a";
                    } catch (const std::exception&) {
                        return false;
                    }
                },
                5000));
        });
    }

    void aFailedSaveIsToldOnce() {
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            // The first save of the empty lists must be over, or it would make the folder again.
            QVERIFY(QTest::qWaitFor([&] { return fs::exists(Folder() + "/lists.state"); }, 5000));
            QTest::qWait(100);
            fs::remove_all(Folder());
            WriteBytes(Folder(), "a file where the folder belongs");
            QVERIFY(fs::is_regular_file(Folder()));
            for (const char* command : {"aHighlightAll", "aModifySortAsc", "aModifySortDesc"}) {
                TestedProgram->Lists.CurrentList()->AddKeyword(command);
                Run(command);
                QTest::qWait(static_cast<int>(TListSaver::QuietTime.count()) + 300);
            }
        });
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith("The lists can't be saved for the next start: "), qPrintable(boxes[0]));
    }

    void damagedStateIsSetAsideAndNamedOnce_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("state cut short") << "cut";
        QTest::newRow("byte of a list flipped") << "flip";
        QTest::newRow("folder in place of the state") << "folder";
        if (geteuid() != 0)
            QTest::newRow("unreadable") << "unreadable";
    }
    void damagedStateIsSetAsideAndNamedOnce() {
        QFETCH(QString, damage);
        SaveSmallState();
        const std::string state = Folder() + "/lists.state";
        if (damage == "cut") {
            WriteBytes(state, ReadBytes(state).substr(0, 20));
        } else if (damage == "flip") {
            for (const auto& entry : fs::directory_iterator(Folder()))
                if (entry.path().filename().string().starts_with("list-")) {
                    std::string bytes = ReadBytes(entry.path().string());
                    bytes[bytes.size() - 3] ^= 0x20;
                    WriteBytes(entry.path().string(), bytes);
                    break;
                }
        } else if (damage == "folder") {
            fs::remove(state);
            fs::create_directory(state);
        } else {
            chmod(state.c_str(), 0);
        }
        std::map<std::string, std::string> damaged;
        for (const auto& entry : fs::directory_iterator(Folder()))
            if (entry.is_regular_file())
                damaged[entry.path().filename().string()] = ReadBytes(entry.path().string());
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), Empty());
        });
        const std::string aside = Folder() + ".corrupt";
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].contains(QString::fromStdString(aside)), qPrintable(boxes[0]));
        for (const auto& [name, bytes] : damaged)
            QCOMPARE(ReadBytes(aside + "/" + name), bytes);
        // The empty lists of that run are what the next one finds, without another word.
        boxes.clear();
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), Empty());
        });
        QVERIFY(boxes.isEmpty());
    }

    void switchedOffNothingIsKept() {
        SaveSmallState();
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(TestedProgram->Lists.GetList(2).Count(), 1);
            TestedProgram->Management.KeepLists = false;
            TestedProgram->Lists.GetList(0).AddKeyword("not kept");
        });
        QVERIFY(!fs::exists(Folder() + "/lists.state"));
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), Empty());
            TestedProgram->Lists.GetList(1).AddKeyword("not kept either");
        });
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(Shown(), Empty());
            TestedProgram->Management.KeepLists = true;
            TestedProgram->Lists.GetList(5).AddKeyword("kept again");
        });
        RunProgram([&] {
            QVERIFY(WaitForRestore());
            QCOMPARE(TestedProgram->Lists.GetList(5).Count(), 1);
        });
    }
};

int main(int argc, char** argv) {
    ListKeeperTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "ListKeeperTest.moc"
