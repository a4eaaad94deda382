#include "ui/UpdateCheck.h"

#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "dialogs/ApplicationLook.h"
#include "frame/Files.h"
#include "frame/MessageBoxService.h"
#include "frame/SimpleException.h"
#include "ui/VersionText.h"
#include "ui/XmlFile.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QUrl>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <thread>
#include <unistd.h>

namespace {

TUpdateSource& Source() {
    static TUpdateSource source = DefaultUpdateSource();
    return source;
}

// A new empty file in the system's temporary folder. It stays there after the check.
std::string NewTemporaryFile() {
    std::string path = QDir::tempPath().toStdString() + "/XXXXXX.tmp";
    const int fd = mkstemps(path.data(), 4);
    if (fd < 0)
        RaiseInOutError("create", path, errno);
    close(fd);
    return path;
}

// The manifest travels over plain HTTP: anyone on the way could put a local file or another kind of
// address there, which the desktop would open. Only web addresses are offered.
std::string CheckedDownloadAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != "http" && scheme != "https") || url.host().isEmpty())
        throw Exception("Refused download address \"" + address +
                        "\": not an http or https address with a host");
    return address;
}

// The download runs on a thread of its own while the window goes on painting under a busy cursor; input
// waits until the answer is in, so no other command starts meanwhile.
void DownloadWhilePainting(const TUpdateSource& source, const std::string& path) {
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread download([&] {
        try {
            DownloadToFile(source.ManifestAddress, path, source.Limits);
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    const bool cursor = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    if (cursor)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (cursor)
        QApplication::restoreOverrideCursor();
    download.join();
    if (failure)
        std::rethrow_exception(failure);
}

void OfferUpdate(IMessageBoxes& boxes, QWidget* owner, const std::string& version,
                 const std::string& address) {
    if (!IsNewerVersion(ProgramVersion, version)) {
        boxes.Show(owner, "No Updates Available", ApplicationTitle, TMsgIcon::Information, TMsgButtons::Ok);
        return;
    }
    const std::string checked = CheckedDownloadAddress(address);
    if (boxes.Show(owner, "Version " + version + " is available. Download?", ApplicationTitle,
                   TMsgIcon::Information, TMsgButtons::YesNo) == TMsgResult::Yes)
        ShellOpen(checked);
}

} // namespace

TUpdateSource DefaultUpdateSource() {
    return {"http://" PT_UPDATE_HOST "/files/updates.xml", {}};
}

void SetUpdateSource(TUpdateSource source) {
    Source() = std::move(source);
}

void CheckForUpdates(IMessageBoxes& boxes, QWidget* owner) {
    CheckpointScope scope("d135");
    const std::string path = NewTemporaryFile();
    try {
        DownloadWhilePainting(Source(), path);
        SetCheckpoint("d136");
        const TXmlDocument document = LoadXmlDocument(path);
        SetCheckpoint("d137");
        const TXmlElement update = SelectChild(document.DocumentElement(), "update", true);
        SetCheckpoint("d138");
        const std::string version = AttributeText(update, "version");
        SetCheckpoint("d139");
        const std::string address = ElementText(SelectChild(update, "downloadUrl", true));
        SetCheckpoint("d140");
        OfferUpdate(boxes, owner, version, address);
    } catch (const Exception& e) {
        throw ESimpleException("Error Checking Updates", e.Message);
    }
}
