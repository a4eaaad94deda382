#pragma once

#include <string_view>

// Where clipboard text goes; the application installs the real one, tests a fake.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's contents with plain 8-bit text and tells whether the clipboard now holds it;
    // may raise when the clipboard can't be reached.
    virtual bool SetText(std::string_view text) = 0;
};

void InstallClipboard(IClipboard* clipboard);
IClipboard* InstalledClipboard();
// Places text on the installed clipboard; a failure raises nothing and answers false.
bool PlaceOnClipboard(std::string_view text);
