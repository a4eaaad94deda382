#include "core/Clipboard.h"

namespace {
IClipboard* g_clipboard = nullptr;
}

void InstallClipboard(IClipboard* clipboard) {
    g_clipboard = clipboard;
}

IClipboard* InstalledClipboard() {
    return g_clipboard;
}

bool PlaceOnClipboard(std::string_view text) {
    if (!g_clipboard)
        return false;
    try {
        return g_clipboard->SetText(text);
    } catch (...) {
        // A clipboard that can't be reached is not an error of the export; the caller tells the user.
        return false;
    }
}
