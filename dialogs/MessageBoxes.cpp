#include "dialogs/MessageBoxes.h"

#include "dialogs/DialogForm.h"
#include "dialogs/ModalRun.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>

namespace {
QMessageBox::Icon BoxIcon(TMsgIcon icon) {
    switch (icon) {
    case TMsgIcon::Error:
        return QMessageBox::Critical;
    case TMsgIcon::Information:
        return QMessageBox::Information;
    case TMsgIcon::Warning:
        return QMessageBox::Warning;
    case TMsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(TMsgButtons buttons) {
    switch (buttons) {
    case TMsgButtons::Ok:
        return QMessageBox::Ok;
    case TMsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case TMsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// A box sizes itself to its text; a short text under a long title would cut the title.
void MakeRoomForTitle(QMessageBox& box) {
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(TitleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
}

// The answer when the box is closed without a button: the box's way out, as on the home platform.
TMsgResult Answer(QMessageBox::StandardButton button, TMsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return TMsgResult::Ok;
    case QMessageBox::Yes:
        return TMsgResult::Yes;
    case QMessageBox::No:
        return TMsgResult::No;
    case QMessageBox::Cancel:
        return TMsgResult::Cancel;
    default:
        return buttons == TMsgButtons::Ok      ? TMsgResult::Ok
               : buttons == TMsgButtons::YesNo ? TMsgResult::No
                                               : TMsgResult::Cancel;
    }
}
} // namespace

TMsgResult TMessageBoxes::Show(QWidget* owner, const std::string& text, const std::string& caption,
                               TMsgIcon icon, TMsgButtons buttons) {
    // Before the application object exists (a start that failed early) there is no screen to show a box on.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return Answer(QMessageBox::NoButton, buttons);
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption),
                    QString::fromStdString(text).replace("\r\n", "\n"), BoxButtons(buttons), owner);
    box.setDefaultButton(buttons == TMsgButtons::YesNo ? QMessageBox::Yes : QMessageBox::Ok);
    MakeRoomForTitle(box);
    RunModal(box);
    return Answer(box.standardButton(box.clickedButton()), buttons);
}
