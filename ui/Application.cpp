#include "ui/Application.h"

#include "dialogs/ApplicationForms.h"
#include "dialogs/ApplicationLook.h"
#include "frame/ExceptionHook.h"
#include "ui/ActionList.h"
#include "ui/ProgressDialog.h"

#include <QAbstractEventDispatcher>
#include <QWidget>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    ApplyApplicationLook(*this);
    setQuitOnLastWindowClosed(false);
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &TApplication::Idle);
}

TApplication::~TApplication() {
    FreeAdoptedForms();
}

TApplication* TApplication::Instance() {
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

QString TApplication::Title() {
    return ApplicationTitle;
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        const bool handled = QApplication::notify(receiver, event);
        if (event->type() == QEvent::Close && event->isAccepted() && receiver == mainForm_)
            quit();
        return handled;
    } catch (...) {
        Report(std::current_exception());
        return false;
    }
}

QWidget* TApplication::CreateForm(const std::function<QWidget*()>& create) {
    QWidget* form = create();
    AdoptForm(form);
    if (!mainForm_)
        mainForm_ = form;
    return form;
}

int TApplication::Run() {
    if (mainForm_)
        mainForm_->show();
    return exec();
}

void TApplication::Report(std::exception_ptr error) noexcept {
    try {
        RaiseToApplicationHook(error);
    } catch (...) {
        // The handler itself failed: nothing is left to report to, and the loop must go on.
    }
}

void TApplication::Idle() {
    // The commands' rules read the lists, which a long command is changing while it pumps events.
    if (idleRunning_ || ProgressPumping())
        return;
    idleRunning_ = true;
    try {
        TActionList::UpdateAll();
    } catch (...) {
        Report(std::current_exception());
    }
    idleRunning_ = false;
}
