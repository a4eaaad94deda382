// Bad input end to end: imports and exports that fail run from the event loop, as a click runs them, so the
// failure travels the program's own road to the error report. Each must give a clear message, leave every
// list as it was, and leave the program able to go on.
#include "tests/support/OtherUser.h"
#include "tests/ui/FakeMainView.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHandler.h"
#include "frame/ManagementLayer.h"
#include "frame/MessageBoxService.h"
#include "ui/Application.h"
#include "ui/MainFormController.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

class TRecordingBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget*, const std::string& text, const std::string& caption, TMsgIcon,
                    TMsgButtons) override {
        shown.push_back({caption, text});
        return TMsgResult::Ok;
    }
    std::vector<std::pair<std::string, std::string>> shown;
};

std::vector<Strings> AllLists(const TBusinessLogicLayer& layer) {
    std::vector<Strings> lists;
    for (int i = 0; i < layer.ListCount(); ++i) {
        Strings texts;
        for (auto t : layer.GetList(i).AllTexts())
            texts.emplace_back(t);
        lists.push_back(texts);
    }
    return lists;
}

// A file of that size whose bytes are all NUL and take no room on the disk.
void MakeSparseFile(const std::string& path, off_t size, const std::string& tail = "") {
    const int fd = open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(ftruncate(fd, size), 0);
    QCOMPARE(pwrite(fd, tail.data(), tail.size(), size), static_cast<ssize_t>(tail.size()));
    close(fd);
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private:
    TFakeMainView* view = nullptr;
    TFakeControllerDialogs dialogs;
    TFakeParameterDialogs parameters;
    TRecordingBoxes boxes;
    TFakeClipboard clipboard;
    TErrorLog log;
    std::optional<TExceptionHandler> handler;
    std::optional<TBusinessLogicLayer> lists;
    std::optional<TManagementLayer> management;
    TMainFormController* controller = nullptr;
    std::unique_ptr<QTemporaryDir> folder;

    std::string Path(const char* name) const { return folder->filePath(name).toStdString(); }
    TKeyItems& Current() { return *lists->CurrentList(); }

    // Runs a step from the event loop, as a click would.
    void AsUser(const std::function<void()>& step) {
        bool done = false;
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                done = true;
                step();
            },
            Qt::QueuedConnection);
        while (!done)
            QCoreApplication::processEvents();
    }

    void Import(const std::string& path) {
        view->chosenFile = path;
        AsUser([this] { controller->Import(); });
    }

    void ExportAll(const std::string& path) {
        view->chosenFile = path;
        AsUser([this] {
            TAction* action = controller->FindAction("aExportToFile");
            action->Update();
            action->trigger();
        });
    }

    // The error box shown since the last call, empty when there was none; any other box is a failure.
    std::string ErrorShown() {
        std::string text;
        for (const auto& [caption, shown] : boxes.shown)
            if (caption == ErrorCaption)
                text = shown;
        boxes.shown.clear();
        return text;
    }

    // After a bad input: the message, the lists as they were, and a program that still works.
    void ExpectRefused(const std::string& message, const char* checkpoint,
                       const std::vector<Strings>& before) {
        QCOMPARE(ErrorShown(), message + "\r\n\r\nErrorID: " + checkpoint);
        QCOMPARE(AllLists(*lists), before);
        QVERIFY(TrailEmpty());
        view->asked.clear();
        ExportAll(Path("after.txt"));
        QCOMPARE(view->asked.size(), std::size_t{1});
        QCOMPARE(view->asked.back().Text, std::string("Done"));
        QCOMPARE(ErrorShown(), std::string());
    }

private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        // Traversable by every user, so that a refusal is for the file's own permissions.
        chmod(folder->path().toLocal8Bit().constData(), 0755);
        UnwindTrail(true);
        handler.emplace(boxes, log);
        lists.emplace();
        management.emplace(*lists, log);
        management->SetParameterDialogs(&parameters);
        dialogs.management = &*management;
        controller = new TMainFormController([this] { return view = new TFakeMainView(); },
                                             {*lists, *management, dialogs, clipboard});
        for (const char* text : {"red shoes", "blue hat"})
            Current().AddKeyword(text);
        lists->GetList(1).AddKeyword("other list");
        controller->RefreshView(false, false);
    }

    void cleanup() {
        delete controller;
        management.reset();
        lists.reset();
        handler.reset();
        UnwindTrail(true);
        folder.reset();
    }

    void binaryEmptyAndNulFilesImportAsTheyAre() {
        std::string everyByte;
        for (int b = 0; b < 256; ++b)
            everyByte += static_cast<char>(b);
        std::ofstream(Path("binary.bin"), std::ios::binary) << everyByte;
        std::ofstream(Path("empty.txt"), std::ios::binary).flush();
        std::ofstream(Path("nul.txt"), std::ios::binary) << std::string("a\0b\r\n\0", 6);
        for (const char* name : {"binary.bin", "empty.txt", "nul.txt"})
            Import(Path(name));
        QCOMPARE(ErrorShown(), std::string());
        // Byte 26 ends the input, CR is dropped: the binary file gives its first two lines.
        std::string second = everyByte.substr(11, 15);
        second.erase(2, 1);
        const Strings expected{
            "red shoes",         "blue hat", everyByte.substr(0, 10), second, std::string("a\0b", 3),
            std::string(1, '\0')};
        QCOMPARE(AllLists(*lists).front(), expected);
        QCOMPARE(view->RowCount(), 6);
    }

    void aLineOf200MegabytesIsOneEntry() {
        MakeSparseFile(Path("huge-line.txt"), off_t{200} << 20, "\r\nend");
        Import(Path("huge-line.txt"));
        QCOMPARE(ErrorShown(), std::string());
        QCOMPARE(Current().Count(), 4);
        QCOMPARE(Current().GetKeyItem(2).Text().size(), std::size_t{200} << 20);
        QCOMPARE(Current().GetKeyItem(3).Text(), std::string_view("end"));
        Current().Clear();
    }

    void importsThatFailLeaveEveryListAsItWas() {
        const std::vector<Strings> before = AllLists(*lists);
        const std::string gone = Path("gone.txt");
        std::ofstream(gone) << "chosen, then removed before it was read\n";
        std::filesystem::remove(gone);
        const std::string pipe = Path("pipe");
        QCOMPARE(mkfifo(pipe.c_str(), 0600), 0);
        const std::string folderPath = folder->path().toStdString();
        const std::vector<std::pair<std::string, std::string>> cases = {
            {folderPath, "Cannot open file \"" + folderPath + "\": Is a directory"},
            {gone, "Cannot open file \"" + gone + "\": No such file or directory"},
            {"/proc/self/mem", "Cannot read file \"/proc/self/mem\": Input/output error"},
            {"/dev/zero", "Cannot read file \"/dev/zero\": it is a device or a pipe, not a file"},
            {pipe, "Cannot read file \"" + pipe + "\": it is a device or a pipe, not a file"},
        };
        for (const auto& [path, message] : cases) {
            Import(path);
            ExpectRefused(message, "d007", before);
        }
    }

    void aFileTooLargeForMemoryIsRefusedBeforeReading() {
        const std::vector<Strings> before = AllLists(*lists);
        MakeSparseFile(Path("two-gigabytes.txt"), off_t{2} << 30);
        controller->SetMemoryBudget(std::size_t{1} << 30);
        Import(Path("two-gigabytes.txt"));
        ExpectRefused(
            "This command would need about 2,048 MB of memory, but only 1,024 MB may be used. Nothing "
            "was changed.",
            "d007", before);
    }

    void aFileTheUserMayNotReadIsRefused() {
        const std::vector<Strings> before = AllLists(*lists);
        const std::string path = Path("secret.txt");
        std::ofstream(path) << "secret\n";
        chmod(path.c_str(), 0);
        {
            const TFileAccessAsOtherUser user;
            if (!user.Active())
                QSKIP("file access can't be checked as another user here");
            Import(path);
        }
        ExpectRefused("Cannot open file \"" + path + "\": Permission denied", "d007", before);
    }

    // Damage is imported as U+FFFD and told once, after the import, with the number of lines it touched.
    void damagedBytesAreImportedAndReportedOnce() {
        std::ofstream(Path("damaged.txt"), std::ios::binary)
            << "Grüße\r\nMüller\r\nStraße\r\ncaf\xE9\r\nbad \xFF\xFE end\r\nok\r\n";
        view->asked.clear();
        Import(Path("damaged.txt"));
        QCOMPARE(ErrorShown(), std::string());
        QCOMPARE(view->asked.size(), std::size_t{1});
        QCOMPARE(view->asked.back().Text,
                 std::string(
                     "2 lines of the file held bytes that are not valid UTF-8. They were imported with each "
                     "such byte shown as \"\xEF\xBF\xBD\" (U+FFFD)."));
        const Strings entries = AllLists(*lists).front();
        QCOMPARE(entries.size(), std::size_t{8});
        QCOMPARE(entries[5], std::string("caf\xEF\xBF\xBD"));
        QCOMPARE(entries[6], std::string("bad \xEF\xBF\xBD\xEF\xBF\xBD end"));
        // A clean file says nothing.
        std::ofstream(Path("clean.txt"), std::ios::binary) << "σοφία\r\n";
        view->asked.clear();
        Import(Path("clean.txt"));
        QCOMPARE(view->asked.size(), std::size_t{0});
    }

    void anExportTheEncodingCannotHoldWritesNothing() {
        const std::string path = Path("western.txt");
        std::ofstream(path, std::ios::binary) << "old\r\n";
        Current().AddKeyword("купить обувь");
        management->ExportEncoding = {TEncoding::CodePage, 1252};
        view->asked.clear();
        ExportAll(path);
        QCOMPARE(ErrorShown(), std::string());
        QCOMPARE(view->asked.size(), std::size_t{1});
        const std::string told = view->asked.back().Text;
        QVERIFY2(
            told.starts_with("Line 3 holds the character \"к\" (U+043A), which Windows-1252 cannot hold."),
            told.c_str());
        std::ifstream in(path, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(in), {}), std::string("old\r\n"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(folder->path().toStdString()), {}), 1);
        // The same list in a code page that holds it.
        management->ExportEncoding = {TEncoding::CodePage, 1251};
        ExportAll(path);
        QCOMPARE(view->asked.back().Text, std::string("Done"));
        std::ifstream written(path, std::ios::binary);
        QCOMPARE(std::string(std::istreambuf_iterator<char>(written), {}),
                 std::string("red shoes\r\nblue hat\r\n\xEA\xF3\xEF\xE8\xF2\xFC \xEE\xE1\xF3\xE2\xFC\r\n"));
        management->ExportEncoding = {TEncoding::Utf8};
    }

    void exportsThatFailKeepTheListsAndSayNothingIsDone() {
        const std::vector<Strings> before = AllLists(*lists);
        const std::string pipe = Path("pipe");
        QCOMPARE(mkfifo(pipe.c_str(), 0600), 0);
        const std::string readOnly = Path("read-only");
        std::filesystem::create_directory(readOnly);
        chmod(readOnly.c_str(), 0555);
        const std::string folderPath = folder->path().toStdString();
        const std::vector<std::pair<std::string, std::string>> cases = {
            {folderPath, "Cannot create file \"" + folderPath + "\": Is a directory"},
            {"/dev/full", "Cannot write file \"/dev/full\": No space left on device"},
            {pipe, "Cannot create file \"" + pipe + "\": No such device or address"},
        };
        for (const auto& [path, message] : cases) {
            ExportAll(path);
            ExpectRefused(message, "d047", before);
        }
        const TFileAccessAsOtherUser user;
        if (!user.Active())
            QSKIP("file access can't be checked as another user here");
        ExportAll(readOnly + "/out.txt");
        QCOMPARE(ErrorShown(),
                 "Cannot create file \"" + readOnly + "/out.txt\": Permission denied\r\n\r\nErrorID: d047");
        QCOMPARE(AllLists(*lists), before);
    }
};

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    BadInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "BadInputTest.moc"
