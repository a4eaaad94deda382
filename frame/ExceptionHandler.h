#pragma once

#include <exception>
#include <string>

class IMessageBoxes;
class TErrorLog;
class QWidget;

// The caption of every error box.
inline constexpr const char* ErrorCaption = "Ошибка";

// The one handler of exceptions that escape an event handler: it logs them with the trail, shows them in the
// error box, and the program goes on. Installed as the application's hook while the object lives.
class TExceptionHandler {
public:
    TExceptionHandler(IMessageBoxes& boxes, const TErrorLog& log);
    ~TExceptionHandler();
    TExceptionHandler(const TExceptionHandler&) = delete;
    TExceptionHandler& operator=(const TExceptionHandler&) = delete;

    // Copes with any exception: ours, another std::exception, or anything else.
    void HandleException(std::exception_ptr error);
    // Shows message in a modal error box. With a non-empty trail the box ends in "ErrorID: " and the
    // innermost checkpoint (when appendErrorId is set) and the trail is cut back to the nearest modal frame.
    // A null owner means the main window.
    void ShowErrorBox(const std::string& message, const std::string& caption, QWidget* owner,
                      bool appendErrorId);
    // The main window, owner of the error boxes; null while there is none.
    void SetMainWindow(QWidget* window) { mainWindow_ = window; }

private:
    IMessageBoxes& boxes_;
    const TErrorLog& log_;
    QWidget* mainWindow_ = nullptr;
};
