#pragma once

#include <string>

// How long a download may wait and how much it may take, so that a server that never answers, or answers
// without end, can't hold the program.
struct TDownloadLimits {
    long ConnectSeconds = 30;
    // Given up when fewer than LowSpeedBytes a second arrive for LowSpeedSeconds.
    long LowSpeedBytes = 1;
    long LowSpeedSeconds = 30;
    long TotalSeconds = 120;
    long long MaxBytes = 4 << 20;
};

// Fetches an http or https address (the proxy comes from the environment) into the file at path, which is
// created or emptied. An error status of the server is no failure: its body is saved. Raises Exception
// "InternetOpenURL failed: ..." when no answer came, "InternetReadFile failed: ..." when the answer broke
// off, and EInOutError when the file can't be written.
void DownloadToFile(const std::string& address, const std::string& path, const TDownloadLimits& limits = {});
