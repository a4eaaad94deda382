// The update check on any manifest, served by a loopback server: it ends either in one of its two
// questions or in "Error Checking Updates", never in another failure, and opens nothing but a web address.
// Every input is also read as a version text and held against the version rules read plainly.
#include "fuzz/FuzzSupport.h"
#include "tests/support/LoopbackListener.h"

#include "core/CheckpointTrail.h"
#include "frame/Files.h"
#include "frame/MessageBoxService.h"
#include "frame/SimpleException.h"
#include "ui/UpdateCheck.h"
#include "ui/VersionText.h"

#include <QCoreApplication>
#include <QUrl>

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace {

// Answers every connection on 127.0.0.1 with the manifest of the current input.
class TManifestServer {
public:
    TManifestServer() {
        listener_ = ListenOnLoopback(port_);
        if (listener_ < 0)
            Broken("no loopback server");
        std::thread([this] { Serve(); }).detach();
    }

    void SetManifest(std::string_view manifest) {
        const std::scoped_lock lock(mutex_);
        manifest_ = manifest;
    }
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(port_) + "/files/updates.xml"; }

private:
    [[noreturn]] void Serve() {
        for (;;) {
            const int connection = accept(listener_, nullptr, nullptr);
            if (connection < 0)
                continue;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const ssize_t got = read(connection, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                request.append(buffer, static_cast<std::size_t>(got));
            }
            std::string reply;
            {
                const std::scoped_lock lock(mutex_);
                reply = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(manifest_.size()) +
                        "\r\n\r\n" + manifest_;
            }
            for (std::size_t sent = 0; sent < reply.size();) {
                const ssize_t put = write(connection, reply.data() + sent, reply.size() - sent);
                if (put <= 0)
                    break;
                sent += static_cast<std::size_t>(put);
            }
            close(connection);
        }
    }

    int listener_ = -1;
    int port_ = 0;
    std::mutex mutex_;
    std::string manifest_;
};

class TAnsweringBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget*, const std::string& text, const std::string&, TMsgIcon, TMsgButtons) override {
        shown.push_back(text);
        return TMsgResult::Yes;
    }
    std::vector<std::string> shown;
};

// An optional sign and at least one decimal digit, within 32 bits.
std::optional<std::int32_t> PlainWholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

void CheckVersionText(const std::string& text) {
    std::optional<TVersion> parsed;
    std::string refusal;
    try {
        parsed = ParseVersion(text);
    } catch (const Exception& e) {
        refusal = e.Message;
    }
    UnwindTrail(true);
    const auto first = text.find('.');
    if (first == std::string::npos) {
        Require(refusal == "Wrong version string " + text, "version without a full stop");
        return;
    }
    const std::string rest = text.substr(first + 1);
    const auto second = rest.find('.');
    const std::vector<std::string> parts =
        second == std::string::npos ? std::vector<std::string>{text.substr(0, first), rest}
                                    : std::vector<std::string>{text.substr(0, first), rest.substr(0, second),
                                                               rest.substr(second + 1)};
    std::vector<std::int32_t> numbers;
    for (const auto& part : parts) {
        const auto number = PlainWholeNumber(part);
        if (!number) {
            Require(refusal == "'" + part + "' is not a valid integer value",
                    "version part refused otherwise");
            return;
        }
        numbers.push_back(*number);
    }
    numbers.resize(3, 0);
    Require(parsed && parsed->Major == numbers[0] && parsed->Minor == numbers[1] &&
                parsed->Release == numbers[2],
            "version read otherwise");
    Require(!IsNewerVersion(text, text), "a version newer than itself");
}

bool IsWebAddress(const std::string& address) {
    const QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == "http" || scheme == "https") && !url.host().isEmpty();
}

TManifestServer* Server = nullptr;
TAnsweringBoxes Boxes;
std::vector<std::string> Opened;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The check waits for its download in an event loop, as under the program's own application.
    static QCoreApplication application(*argc, *argv);
    static const TempFolder scratch;
    ForceFolder((scratch / "tmp").string());
    setenv("TMPDIR", (scratch / "tmp").string().c_str(), 1);
    Server = new TManifestServer();
    TDownloadLimits limits;
    limits.ConnectSeconds = 5;
    limits.LowSpeedSeconds = 5;
    limits.TotalSeconds = 10;
    SetUpdateSource({Server->Address(), limits});
    SetShellOpenHandler([](const std::string& target) {
        Opened.push_back(target);
        return true;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckVersionText(input);

    Server->SetManifest(input);
    Boxes.shown.clear();
    Opened.clear();
    bool failed = false;
    try {
        CheckForUpdates(Boxes, nullptr);
    } catch (const ESimpleException& e) {
        Require(e.DisplayText == "Error Checking Updates", "a failure shown otherwise");
        failed = true;
    } catch (...) {
        Broken("a failure that is not the update check's own");
    }
    Require(failed ? TopCheckpoint().starts_with("d1") : TrailEmpty(), "the trail after the check");
    UnwindTrail(true);
    if (!failed) {
        Require(Boxes.shown.size() == 1, "not one answer to the user");
        const std::string& shown = Boxes.shown.front();
        Require(shown == "No Updates Available" ||
                    (shown.starts_with("Version ") && shown.ends_with(" is available. Download?")),
                "an answer of another kind");
    }
    for (const auto& address : Opened)
        Require(IsWebAddress(address), "opened something that is not a web address");
    const std::filesystem::path temporary = std::getenv("TMPDIR");
    for (const auto& file : std::filesystem::directory_iterator(temporary))
        std::filesystem::remove(file.path());
    return 0;
}
