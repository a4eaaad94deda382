#pragma once

#include <QApplication>
#include <QPointer>

#include <exception>
#include <functional>

class QWidget;

// The application object: gives every exception that escapes an event handler, also inside a modal dialog's
// loop, to the application's exception handler and goes on; brings the commands' enabled states up to date
// whenever the loop turns idle; owns the windows made through it; ends the loop when its main window closes.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    // The running instance; null when the application object is not a TApplication.
    static TApplication* Instance();
    static QString Title();

    bool notify(QObject* receiver, QEvent* event) override;

    // Creates a window owned by the application object; the first window made this way is the main window.
    QWidget* CreateForm(const std::function<QWidget*()>& create);
    QWidget* MainForm() const { return mainForm_; }
    // Shows the main window and runs the loop until it closes.
    int Run();

private:
    static void Report(std::exception_ptr error) noexcept;
    void Idle();

    QPointer<QWidget> mainForm_;
    bool idleRunning_ = false;
};
