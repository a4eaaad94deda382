#pragma once

#include <string_view>

// Where clipboard text goes; the main routine hands the real one on, tests a fake.
class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Replaces the clipboard's contents with plain 8-bit text and tells whether the clipboard now holds it;
    // may raise when the clipboard can't be reached.
    virtual bool SetText(std::string_view text) = 0;
};

// Places text on the clipboard; a failure raises nothing and answers false.
bool PlaceOnClipboard(IClipboard& clipboard, std::string_view text);
