#pragma once

#include "core/Clipboard.h"

// The desktop's clipboard: the UTF-8 text goes on it as Unicode, and success means the clipboard holds that
// text when read back.
class TSystemClipboard : public IClipboard {
public:
    bool SetText(std::string_view text) override;
};
