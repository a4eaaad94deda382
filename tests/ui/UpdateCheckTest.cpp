#include "ui/UpdateCheck.h"
#include "core/CheckpointTrail.h"
#include "frame/Files.h"
#include "frame/MessageBoxService.h"
#include "frame/SimpleException.h"
#include "tests/support/LoopbackListener.h"
#include "ui/VersionText.h"
#include "ui/XmlFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <mutex>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// An HTTP server on 127.0.0.1 that answers every request with the reply set last, one connection at a time.
class TLoopbackServer {
public:
    enum class TMode { Answer, Silent, BreakOff };

    TLoopbackServer() {
        listener_ = ListenOnLoopback(port_);
        if (listener_ < 0)
            qFatal("loopback server: %s", strerror(errno));
        thread_ = std::thread([this] { Serve(); });
    }
    ~TLoopbackServer() {
        stop_ = true;
        thread_.join();
        close(listener_);
    }

    void Reply(int status, const std::string& body, TMode mode = TMode::Answer) {
        const std::scoped_lock lock(mutex_);
        status_ = status;
        body_ = body;
        mode_ = mode;
    }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/files/updates.xml"; }
    std::string LastRequest() const {
        const std::scoped_lock lock(mutex_);
        return request_;
    }

private:
    static bool Readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        return poll(&p, 1, 50) > 0;
    }

    void Serve() {
        while (!stop_) {
            if (!Readable(listener_))
                continue;
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection >= 0) {
                Answer(connection);
                close(connection);
            }
        }
    }

    std::string ReadRequest(int connection) {
        std::string request;
        char buffer[4096];
        while (!stop_ && request.find("\r\n\r\n") == std::string::npos) {
            if (!Readable(connection))
                continue;
            const auto n = recv(connection, buffer, sizeof buffer, 0);
            if (n <= 0)
                break;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        return request;
    }

    void Answer(int connection) {
        const std::string request = ReadRequest(connection);
        std::unique_lock lock(mutex_);
        request_ = request;
        const TMode mode = mode_;
        const std::size_t announced = body_.size() + (mode == TMode::BreakOff ? 1000 : 0);
        const std::string reply =
            "HTTP/1.1 " + std::to_string(status_) + " Status\r\nContent-Type: text/xml\r\n" +
            "Content-Length: " + std::to_string(announced) + "\r\nConnection: close\r\n\r\n" + body_;
        lock.unlock();
        if (mode == TMode::Silent) {
            char byte;
            while (!stop_ && !(Readable(connection) && recv(connection, &byte, 1, 0) <= 0)) {
            }
            return;
        }
        send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
    mutable std::mutex mutex_;
    int status_ = 200;
    std::string body_;
    TMode mode_ = TMode::Answer;
    std::string request_;
};

class TAnsweringBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget*, const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override {
        Texts.push_back(text);
        Captions.push_back(caption);
        Icons.push_back(icon);
        Buttons.push_back(buttons);
        return Answer;
    }
    std::vector<std::string> Texts, Captions;
    std::vector<TMsgIcon> Icons;
    std::vector<TMsgButtons> Buttons;
    TMsgResult Answer = TMsgResult::Yes;
};

std::string Manifest(const std::string& version,
                     const std::string& url = "http://www.pellox.com/get/tw.zip") {
    return "<?xml version=\"1.0\"?>\n<updates>\n  <update version=\"" + version +
           "\">\n    <downloadUrl>\n      " + url + "\n    </downloadUrl>\n  </update>\n</updates>\n";
}

} // namespace

class UpdateCheckTest : public QObject {
    Q_OBJECT

private:
    // The error report of a failed check, or nothing when it succeeded.
    std::optional<ESimpleException> Check() {
        try {
            CheckForUpdates(boxes_, nullptr);
            return std::nullopt;
        } catch (const ESimpleException& e) {
            return e;
        }
    }

    void ExpectFailure(const std::string& messageStart, const std::string& top) {
        const auto error = Check();
        QVERIFY(error);
        QCOMPARE(error->DisplayText, std::string("Error Checking Updates"));
        QVERIFY2(error->Message.starts_with(messageStart), error->Message.c_str());
        QCOMPARE(TopCheckpoint(), top);
        QVERIFY(opened_.empty());
    }

    // The temporary file of the one check of the test, which the check leaves in place.
    std::string ManifestPath() const {
        const auto files = QDir(temp_.path()).entryInfoList({"*.tmp"}, QDir::Files);
        return files.size() == 1 ? files.first().filePath().toStdString() : std::string();
    }

    QTemporaryDir temp_;
    std::optional<TLoopbackServer> server_;
    TAnsweringBoxes boxes_;
    std::vector<std::string> opened_;

private slots:
    void initTestCase() {
        qputenv("TMPDIR", temp_.path().toLocal8Bit());
        server_.emplace();
        TUpdateSource source{server_->Address(), {}};
        source.Limits = {2, 1, 1, 10, 1 << 16};
        SetUpdateSource(source);
        SetShellOpenHandler([this](const std::string& target) {
            opened_.push_back(target);
            return true;
        });
    }

    void cleanupTestCase() {
        SetShellOpenHandler({});
        SetUpdateSource(DefaultUpdateSource());
        server_.reset();
    }

    void init() {
        boxes_ = TAnsweringBoxes();
        opened_.clear();
        UnwindTrail(true);
        for (const auto& file : QDir(temp_.path()).entryInfoList({"*.tmp"}, QDir::Files))
            QFile::remove(file.filePath());
    }

    void newerVersionOffersTheDownload_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("yes");
        QTest::newRow("release") << "1.1.1" << true;
        QTest::newRow("minor, two parts") << "1.2" << true;
        QTest::newRow("major") << "2.0" << false;
    }
    void newerVersionOffersTheDownload() {
        QFETCH(QString, version);
        QFETCH(bool, yes);
        boxes_.Answer = yes ? TMsgResult::Yes : TMsgResult::No;
        server_->Reply(200, Manifest(version.toStdString()));
        QVERIFY(!Check());
        QCOMPARE(boxes_.Texts,
                 std::vector<std::string>{"Version " + version.toStdString() + " is available. Download?"});
        QCOMPARE(boxes_.Captions.at(0), std::string("Pellox Termwright V 1.1.0"));
        QCOMPARE(boxes_.Icons.at(0), TMsgIcon::Information);
        QCOMPARE(boxes_.Buttons.at(0), TMsgButtons::YesNo);
        QCOMPARE(opened_, yes ? std::vector<std::string>{"http://www.pellox.com/get/tw.zip"}
                              : std::vector<std::string>{});
        QVERIFY(TrailEmpty());
    }

    void sameOrOlderVersionHasNoUpdate_data() {
        QTest::addColumn<QString>("version");
        for (const char* version : {"1.1.0", "1.1", "1.0.9", "0.9.9"})
            QTest::newRow(version) << version;
    }
    void sameOrOlderVersionHasNoUpdate() {
        QFETCH(QString, version);
        server_->Reply(200, Manifest(version.toStdString(), "file:///not/checked/when/not/offered"));
        QVERIFY(!Check());
        QCOMPARE(boxes_.Texts, std::vector<std::string>{"No Updates Available"});
        QCOMPARE(boxes_.Buttons.at(0), TMsgButtons::Ok);
        QVERIFY(opened_.empty());
    }

    void invalidVersionsAreReported_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("top");
        QTest::newRow("no full stop") << "2"
                                      << "Wrong version string 2"
                                      << "d143";
        QTest::newRow("letters") << "1.x.0"
                                 << "'x' is not a valid integer value"
                                 << "d147";
        QTest::newRow("third full stop") << "1.1.0.1"
                                         << "'0.1' is not a valid integer value"
                                         << "d147";
        QTest::newRow("empty major") << ".5"
                                     << "'' is not a valid integer value"
                                     << "d144";
        QTest::newRow("empty") << ""
                               << "Wrong version string "
                               << "d143";
    }
    void invalidVersionsAreReported() {
        QFETCH(QString, version);
        QFETCH(QString, message);
        QFETCH(QString, top);
        server_->Reply(200, Manifest(version.toStdString()));
        ExpectFailure(message.toStdString(), top.toStdString());
        QCOMPARE(TrailText(), "d140->d142->" + top.toStdString());
    }

    void incompleteManifestsNameWhatIsMissing_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("top");
        QTest::newRow("no update") << 200 << "<updates><news/></updates>"
                                   << "Узел \"updates/update\" не найден"
                                   << "d137";
        QTest::newRow("no downloadUrl") << 200 << "<u><update version=\"9.0\"/></u>"
                                        << "Узел \"update/downloadUrl\" не найден"
                                        << "d139";
        QTest::newRow("no version") << 200 << "<u><update><downloadUrl>http://x/</downloadUrl></update></u>"
                                    << "Атрибут \"update/version\" не найден"
                                    << "d138";
        QTest::newRow("error page") << 404 << "<html><body>Not Found</body></html>"
                                    << "Узел \"html/update\" не найден"
                                    << "d137";
    }
    void incompleteManifestsNameWhatIsMissing() {
        QFETCH(int, status);
        QFETCH(QString, body);
        QFETCH(QString, missing);
        QFETCH(QString, top);
        server_->Reply(status, body.toStdString());
        const auto error = Check();
        QVERIFY(error);
        QCOMPARE(error->Message,
                 "Ошибка в документе \"" + ManifestPath() + "\".\r\n" + missing.toStdString());
        QCOMPARE(TopCheckpoint(), top.toStdString());
    }

    void malformedManifestGivesLineAndReason() {
        server_->Reply(200, "<updates>\n<update version=\"2.0\">\n</updates>\n");
        const auto error = Check();
        QVERIFY(error);
        const std::string start =
            "Ошибка в документе \"" + ManifestPath() + "\".\r\nСтрока: 3\r\nСообщение: ";
        QVERIFY2(error->Message.starts_with(start) && error->Message.size() > start.size(),
                 error->Message.c_str());
        QCOMPARE(TopCheckpoint(), std::string("d136"));
    }

    void hostileDownloadAddressIsRefused_data() {
        QTest::addColumn<QString>("url");
        for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "smb://host/share",
                                "http:///nohost", "/relative/path", "ht tp://x"})
            QTest::newRow(url) << url;
    }
    void hostileDownloadAddressIsRefused() {
        QFETCH(QString, url);
        server_->Reply(200, Manifest("2.0", url.toStdString()));
        ExpectFailure("Refused download address \"" + url.toStdString() + "\"", "d140");
        QVERIFY(boxes_.Texts.empty());
    }

    void requestNamesTheProgramAsAgent() {
        server_->Reply(200, Manifest("1.1.0"));
        QVERIFY(!Check());
        QVERIFY2(server_->LastRequest().find("GET /files/updates.xml HTTP/1.1\r\n") == 0,
                 server_->LastRequest().c_str());
        QVERIFY(server_->LastRequest().find("\r\nUser-Agent: UpdateCheckTest\r\n") != std::string::npos);
    }

    void refusedConnectionFailsToOpen() {
        std::string address;
        {
            TLoopbackServer closed;
            address = closed.Address();
        }
        SetUpdateSource({address, {2, 1, 1, 10, 1 << 16}});
        ExpectFailure("InternetOpenURL failed: ", "d135");
        SetUpdateSource({server_->Address(), {2, 1, 1, 10, 1 << 16}});
    }

    void silentServerIsGivenUp() {
        server_->Reply(200, "", TLoopbackServer::TMode::Silent);
        QElapsedTimer timer;
        timer.start();
        ExpectFailure("InternetOpenURL failed: ", "d135");
        QVERIFY(timer.elapsed() < 8000);
    }

    // The old blocking call left the event loop standing for the whole wait.
    void eventsFlowWhileTheServerIsSilent() {
        server_->Reply(200, "", TLoopbackServer::TMode::Silent);
        int ticks = 0;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(20);
        QElapsedTimer timer;
        timer.start();
        ExpectFailure("InternetOpenURL failed: ", "d135");
        const qint64 waited = timer.elapsed();
        QVERIFY2(waited > 500, "the silent server must hold the check for a while");
        QVERIFY2(ticks >= waited / 20 / 2, qPrintable(QString("%1 ticks in %2 ms").arg(ticks).arg(waited)));
    }

    void answerBreakingOffFailsToRead() {
        server_->Reply(200, Manifest("2.0"), TLoopbackServer::TMode::BreakOff);
        ExpectFailure("InternetReadFile failed: ", "d135");
    }

    void oversizedAnswerFailsToRead() {
        server_->Reply(200, std::string(1 << 17, ' ') + Manifest("2.0"));
        ExpectFailure("InternetReadFile failed: ", "d135");
    }

    void missingFileIsNotADocumentError() {
        const std::string path = temp_.filePath("none.xml").toStdString();
        try {
            LoadXmlDocument(path);
            QFAIL("no error");
        } catch (const EXMLFileError&) {
            QFAIL("the document line belongs only to documents that exist");
        } catch (const Exception& e) {
            QCOMPARE(e.Message, "Файл \"" + path + "\" не найден");
        }
    }

    void versionsCompareByNumbers() {
        QVERIFY(IsNewerVersion("1.1.0", "1.10"));
        QVERIFY(!IsNewerVersion("1.1.0", "1.01.0"));
        QVERIFY(IsNewerVersion("1.1.0", "+2.0"));
        QVERIFY(!IsNewerVersion("1.1.0", "-2.0"));
        QVERIFY(TrailEmpty());
        QVERIFY_THROWS_EXCEPTION(Exception, ParseVersion("1.99999999999"));
    }
};

QTEST_GUILESS_MAIN(UpdateCheckTest)
#include "UpdateCheckTest.moc"
