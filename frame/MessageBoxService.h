#pragma once

#include <string>

class QWidget;

enum class TMsgIcon { Error, Information, Warning, Question };
enum class TMsgButtons { Ok, OkCancel, YesNo };
enum class TMsgResult { Ok, Cancel, Yes, No };

// Modal message boxes. The main routine hands the real boxes on; tests a fake that records and answers.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Blocks until a button is pressed. owner may be null (no owner); text may hold CR LF line breaks.
    virtual TMsgResult Show(QWidget* owner, const std::string& text, const std::string& caption,
                            TMsgIcon icon, TMsgButtons buttons) = 0;
};
