// The program from start to end through the real main routine, with a temporary settings store; a test's
// steps run inside the message loop and end by closing the main window.
#include "tests/app/ProgramRun.h"

#include "app/MainRoutine.h"
#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/ModalRun.h"
#include "dialogs/TrayIcon.h"
#include "frame/Files.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/TrayBehaviour.h"

#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>

#include <fstream>

namespace {

std::string ReadAll(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Lets the loop turn idle, so that the commands' enabled states are brought up to date.
void Idle() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, widget->height() / 2));
}

QAction* ActionCaptioned(const QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
        if (action->text().replace("&&", "&") == caption)
            return action;
    return nullptr;
}

// Opens the button's menu and clicks the item at path ("Sort/Ascending"), as the user would.
bool RunFromMenu(const char* button, const char* menuName, const QString& path) {
    Idle();
    Click(Window().findChild<TButtonEx*>(button));
    QMenu* menu = Window().Menu(menuName);
    if (!menu || !menu->isVisible())
        return false;
    for (const QString& caption : path.split('/')) {
        QAction* action = ActionCaptioned(*menu, caption);
        if (!action || !action->isEnabled())
            return false;
        if (!action->menu()) {
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
            return true;
        }
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Right);
        menu = action->menu();
        if (!menu->isVisible())
            return false;
    }
    return false;
}

} // namespace

class MainRoutineTest : public QObject {
    Q_OBJECT

    int argc = 1;
    char* argv[2] = {const_cast<char*>("MainRoutineTest"), nullptr};
    std::unique_ptr<QTemporaryDir> config;
    TFakeControllerDialogs dialogs;
    QStringList boxes;
    QStringList chosenFiles;
    // The class names of the other dialogs shown, in order; each is closed with OK after the test's filling.
    QStringList dialogsShown;
    std::function<void(QDialog&)> fillDialog;

    QString StorePath() const { return config->path() + "/Pellox/Termwright.reg"; }

    // Runs the program; steps run once the loop is going, and the main window is closed after them
    // whatever they found.
    int RunProgram(std::function<void()> steps, TMainViewClass formClass = {}, bool ownDialogs = false) {
        TMainRoutineHooks hooks;
        hooks.ControllerDialogs = ownDialogs ? nullptr : &dialogs;
        hooks.FormClass = std::move(formClass);
        return RunWithSteps(argc, argv, hooks, dialogs, std::move(steps));
    }

private slots:
    void init() {
        config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config->path().toUtf8());
        qputenv("XDG_DATA_HOME", config->path().toUtf8());
        boxes.clear();
        chosenFiles.clear();
        dialogsShown.clear();
        fillDialog = nullptr;
        dialogs = TFakeControllerDialogs();
        // Message boxes are answered with their default button, file dialogs with the next queued file.
        SetModalShownHook([this](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
                boxes << box->text();
                box->defaultButton() ? box->defaultButton()->click() : box->accept();
            } else if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                if (chosenFiles.isEmpty())
                    return files->reject();
                files->selectFile(chosenFiles.takeFirst());
                dialog.accept();
            } else {
                dialogsShown << dialog.metaObject()->className();
                if (fillDialog)
                    fillDialog(dialog);
                dialog.accept();
            }
        });
    }

    void cleanup() { SetModalShownHook({}); }

    void aFirstStartPlacesTheWindowByItsDesignAndTheNextByTheStore() {
        QCOMPARE(RunProgram([] {
                     QCOMPARE(Window().Bounds(), (TWindowBounds{126, 89, 800, 596}));
                     QCOMPARE(Window().windowTitle(),
                              QString("Pellox Termwright V 1.1.0 [Pellox Marketing LTD]"));
                     QCOMPARE(TestedProgram->Lists.CurrentList(), &TestedProgram->Lists.GetList(0));
                     QVERIFY(Window().isVisible());
                     Window().SetBounds({300, 200, 900, 650});
                     TestedProgram->Lists.GetList(0).Settings.Font = {"Tahoma", 12, StyleItalic, 0};
                     TestedProgram->Lists.GetList(1).Settings.SetColor(TListSettings::OddBack, 0x123456);
                 }),
                 0);
        const std::string store = ReadAll(StorePath());
        // Written twice: the second save, without the window, keeps what the first wrote of it.
        QVERIFY(store.find("\"MainWindowLeft\"=dword:0000012c") != std::string::npos);
        QVERIFY(store.find("\"MainWindowWidth\"=dword:00000384") != std::string::npos);
        QVERIFY(store.find("List-F") != std::string::npos);
        QVERIFY(TrailEmpty());

        QCOMPARE(RunProgram([] {
                     QCOMPARE(Window().Bounds(), (TWindowBounds{300, 200, 900, 650}));
                     QCOMPARE(Window().lvMain->font().pointSize(), 12);
                     QVERIFY(Window().lvMain->font().italic());
                     QCOMPARE(TestedProgram->Lists.GetList(1).Settings.GetColor(TListSettings::OddBack),
                              0x123456u);
                 }),
                 0);
    }

    void aFailureWhileMakingTheWindowIsLoggedShownOnceAndTheSettingsAreStillSaved() {
        const std::string message =
            "The window could not be made " + QUuid::createUuid().toString().toStdString();
        bool ran = false;
        const int code =
            RunProgram([&] { ran = true; }, [message]() -> TMainViewForm* { throw Exception(message); });
        QCOMPARE(code, 0);
        QVERIFY(!ran);
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].startsWith(QString::fromStdString(message)));
        QVERIFY(boxes[0].endsWith("ErrorID: DPR006"));
        const QStringList logged =
            QString::fromStdString(ReadAll(QString::fromStdString(ProgramFileWithExt(".log"))))
                .split('\n')
                .filter(QString::fromStdString(message));
        QCOMPARE(logged.size(), 1);
        const std::string store = ReadAll(StorePath());
        QVERIFY(store.find("WordCountLimit") != std::string::npos);
        QVERIFY(store.find("MainWindowLeft") == std::string::npos);
    }

    void exitFromTheTrayMenuEndsTheProgramWithTheNormalSaves() {
        QCOMPARE(RunProgram([] {
                     TTrayBehaviour& tray = Window().Tray();
                     tray.TrayAvailable = [] { return true; };
                     Window().SetBounds({222, 111, 850, 620});
                     Click(Window().btnTray);
                     QVERIFY(tray.InTray());
                     tray.mnuExit().trigger();
                 }),
                 0);
        QVERIFY(ReadAll(StorePath()).find("\"MainWindowLeft\"=dword:000000de") != std::string::npos);
    }

    void theButtonsRunTheProgramsOwnDialogs() {
        fillDialog = [](QDialog& dialog) {
            if (auto* words = dialog.findChild<QPlainTextEdit*>())
                words->setPlainText("alpha\nbeta");
        };
        QCOMPARE(RunProgram(
                     [] {
                         Click(Window().btnAdd);
                         QCOMPARE(Window().RowCount(), 2);
                         Click(Window().btnAbout);
                     },
                     {}, true),
                 0);
        QCOMPARE(dialogsShown, (QStringList{"TfrmAddWords", "TfrmAbout"}));
    }

    void importRunCommandsFromTheirMenusAndExport() {
        QTemporaryDir files;
        const QString input = files.filePath("in.txt");
        const QString output = files.filePath("out");
        {
            std::ofstream in(input.toStdString(), std::ios::binary);
            in << "Red  Shoes\r\nred shoes\nBlue   Boots\r\ncaf\xC9 NOIR\r\n";
        }
        chosenFiles = {input, output};
        QCOMPARE(RunProgram([this] {
                     Click(Window().btnImport);
                     QCOMPARE(Window().RowCount(), 4);
                     QVERIFY(RunFromMenu("btnClean", "mnuClean", "Repeated Spaces"));
                     QVERIFY(RunFromMenu("btnModify", "mnuModify", "Convert To Lowercase"));
                     QVERIFY(RunFromMenu("btnDelete", "mnuDelete", "Duplicate Entries"));
                     QCOMPARE(boxes.value(0), QString("1 duplicates removed."));
                     QVERIFY(RunFromMenu("btnModify", "mnuModify", "Sort/Descending"));
                     QVERIFY(RunFromMenu("btnHighlight", "mnuHighlight", "All Entries"));
                     QCOMPARE(Window().SelectedCount(), 3);
                     QVERIFY(RunFromMenu("btnExport", "mnuExport", "All To Text File..."));
                     QCOMPARE(boxes.value(1), QString("Done"));
                 }),
                 0);
        // The old list's Windows-1252 bytes come in through the legacy path and leave as UTF-8.
        QCOMPARE(ReadAll(output + ".txt"), std::string("red shoes\r\ncafé noir\r\nblue boots\r\n"));
        QVERIFY(ReadAll(StorePath()).find(files.path().toStdString()) != std::string::npos);
    }
};

int main(int argc, char** argv) {
    MainRoutineTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MainRoutineTest.moc"
