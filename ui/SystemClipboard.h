#pragma once

#include "Clipboard.h"

// The desktop's clipboard: the 8-bit text is decoded from the active code page, and success means the
// clipboard holds that text when read back.
class TSystemClipboard : public IClipboard {
public:
    bool SetText(std::string_view text) override;
};
