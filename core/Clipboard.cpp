#include "core/Clipboard.h"

bool PlaceOnClipboard(IClipboard& clipboard, std::string_view text) {
    try {
        return clipboard.SetText(text);
    } catch (...) {
        // A clipboard that can't be reached is not an error of the export; the caller tells the user.
        return false;
    }
}
