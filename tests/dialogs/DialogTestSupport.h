#pragma once

#include "dialogs/ApplicationLook.h"
#include "dialogs/ButtonEx.h"
#include "dialogs/ModalRun.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QtTest>

#include <deque>
#include <functional>

// Answers the modal runs in turn: each dialog shown gets the next step, which sets the controls and ends
// the run. Removes its hook when it goes.
class TModalScript {
public:
    using TStep = std::function<void(QDialog&)>;

    TModalScript(std::initializer_list<TStep> steps) : steps_(steps) {
        SetModalShownHook([this](QDialog& dialog) {
            if (steps_.empty()) {
                dialog.reject();
                ++unexpected_;
                return;
            }
            TStep step = std::move(steps_.front());
            steps_.pop_front();
            step(dialog);
            // A step that failed half-way must not leave the run waiting for ever.
            if (dialog.isVisible())
                dialog.reject();
        });
    }
    ~TModalScript() { SetModalShownHook(nullptr); }
    // Every step ran and no other dialog was shown.
    bool Done() const { return steps_.empty() && unexpected_ == 0; }

private:
    std::deque<TStep> steps_;
    int unexpected_ = 0;
};

inline void ClickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<TButtonEx*>(name);
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

inline void ClickOk(QDialog& dialog) {
    ClickButton(dialog, dialog.findChild<TButtonEx*>("btnOK") ? "btnOK" : "ButtonEx1");
}

inline void ClickCancel(QDialog& dialog) {
    ClickButton(dialog, "ButtonEx2");
}

// With PT_SCREENSHOT_DIR set, saves a picture of the dialog there.
inline void SaveScreenshot(QWidget& window, const QString& name) {
    const QString folder = qEnvironmentVariable("PT_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + ".png"));
}

inline void UseProgramLook() {
    ApplyApplicationLook(*static_cast<QApplication*>(QCoreApplication::instance()));
}
