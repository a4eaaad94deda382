#pragma once

#include "frame/MessageBoxService.h"

// The program's message boxes: the toolkit's modal box with owner, caption, icon and buttons. Without an
// application object, Show answers Cancel (or No) and shows nothing.
class TMessageBoxes : public IMessageBoxes {
public:
    TMsgResult Show(QWidget* owner, const std::string& text, const std::string& caption, TMsgIcon icon,
                    TMsgButtons buttons) override;
};
