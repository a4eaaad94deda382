#include "dialogs/ModalRun.h"

#include <QDialog>
#include <QPointer>
#include <QWindow>

namespace {
TModalShownHook& Hook() {
    static TModalShownHook hook;
    return hook;
}

// Keeps the dialog above its owner and off the taskbar, while the application stays its owner.
void StandInFrontOf(QDialog& dialog, QWidget* owner) {
    if (!owner || dialog.parentWidget())
        return;
    dialog.winId();
    owner->winId();
    dialog.windowHandle()->setTransientParent(owner->windowHandle());
}
} // namespace

int RunModal(QDialog& dialog, QWidget* owner) {
    StandInFrontOf(dialog, owner);
    if (Hook()) {
        // Posted now, delivered by the dialog's own loop once the dialog is on screen.
        QMetaObject::invokeMethod(
            &dialog,
            [target = QPointer<QDialog>(&dialog)] {
                if (target && Hook())
                    Hook()(*target);
            },
            Qt::QueuedConnection);
    }
    return dialog.exec();
}

void SetModalShownHook(TModalShownHook hook) {
    Hook() = std::move(hook);
}
