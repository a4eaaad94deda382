#include "ui/Download.h"

#include "core/Exceptions.h"
#include "frame/Files.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

// Reads arrive in pieces of at most this many bytes.
constexpr long kReadSize = 1024;

using TFilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The file is made when the first bytes arrive, so an address that can't be reached leaves it alone.
struct TTransfer {
    const std::string& Path;
    long long MaxBytes;
    TFilePtr File{nullptr, std::fclose};
    long long Received = 0;
    bool TooLarge = false;
    int FileError = 0;
    const char* FileAction = "";

    bool Open() {
        File.reset(std::fopen(Path.c_str(), "wb"));
        if (!File)
            Fail("create");
        return File != nullptr;
    }
    void Fail(const char* action) {
        FileError = errno;
        FileAction = action;
    }
};

std::size_t WriteReceived(char* data, std::size_t size, std::size_t count, void* context) {
    auto& transfer = *static_cast<TTransfer*>(context);
    const std::size_t bytes = size * count;
    transfer.Received += static_cast<long long>(bytes);
    if (transfer.Received > transfer.MaxBytes) {
        transfer.TooLarge = true;
        return 0;
    }
    if (!transfer.File && !transfer.Open())
        return 0;
    if (std::fwrite(data, 1, bytes, transfer.File.get()) != bytes) {
        transfer.Fail("write");
        return 0;
    }
    return bytes;
}

std::string ProgramFileName() {
    return std::filesystem::path(ProgramFilePath()).filename().string();
}

void Configure(CURL* curl, const std::string& address, const TDownloadLimits& limits, TTransfer& transfer,
               char* errorText) {
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, ProgramFileName().c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, limits.ConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, limits.LowSpeedBytes);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.LowSpeedSeconds);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, limits.TotalSeconds);
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReadSize);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteReceived);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
}

[[noreturn]] void RaiseTransferError(CURL* curl, CURLcode result, const TTransfer& transfer,
                                     const char* errorText) {
    if (*transfer.FileAction)
        RaiseInOutError(transfer.FileAction, transfer.Path, transfer.FileError);
    const std::string reason = transfer.TooLarge ? curl_easy_strerror(CURLE_FILESIZE_EXCEEDED)
                               : *errorText      ? errorText
                                                 : curl_easy_strerror(result);
    // Once the server's status line has arrived the address was opened: what failed was the reading.
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    throw Exception((status != 0 ? "InternetReadFile failed: " : "InternetOpenURL failed: ") + reason);
}

} // namespace

void DownloadToFile(const std::string& address, const std::string& path, const TDownloadLimits& limits) {
    const std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw Exception(std::string("InternetOpen failed: ") + curl_easy_strerror(CURLE_FAILED_INIT));
    TTransfer transfer{path, limits.MaxBytes};
    char errorText[CURL_ERROR_SIZE] = "";
    Configure(curl.get(), address, limits, transfer, errorText);
    const CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK)
        RaiseTransferError(curl.get(), result, transfer, errorText);
    if (!transfer.File && !transfer.Open())
        RaiseInOutError(transfer.FileAction, path, transfer.FileError);
    if (std::fclose(transfer.File.release()) != 0)
        RaiseInOutError("write", path, errno);
}
