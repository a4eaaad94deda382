#pragma once

#include <string>

class QWidget;

enum class TMsgIcon { Error, Information, Warning, Question };
enum class TMsgButtons { Ok, OkCancel, YesNo };
enum class TMsgResult { Ok, Cancel, Yes, No };

// Modal message boxes. The application installs the real boxes; tests install a fake that records and
// answers.
class IMessageBoxes {
public:
    virtual ~IMessageBoxes() = default;
    // Blocks until a button is pressed. owner may be null (no owner); text may hold CR LF line breaks.
    virtual TMsgResult Show(QWidget* owner, const std::string& text, const std::string& caption,
                            TMsgIcon icon, TMsgButtons buttons) = 0;
};

void InstallMessageBoxes(IMessageBoxes* boxes);
// The installed boxes; without any, Show answers Cancel (or No) and shows nothing.
IMessageBoxes& MessageBoxes();

// Owner of every message box; null until the main window exists.
extern QWidget* MainWindowHandle;
