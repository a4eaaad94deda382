// "Add Misspelled Words..." with all four kinds on every entry of an imported file, on the real program
// started offscreen as a user starts it: prints the command's time from the user's OK to the repainted list,
// the entries made and the peak resident memory, then shows the end of the list and saves a picture of the
// window, so that a list of any length can be seen to draw.
//   misspellings_job --phrases=FILE --picture=PNG
#include "app/MainRoutine.h"
#include "bench/scale/JobSupport.h"
#include "core/KeyItems.h"
#include "dialogs/MisspelledDialog.h"
#include "dialogs/ModalRun.h"
#include "ui/Action.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/ODListView.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <filesystem>

namespace {

std::string PhraseFile;
std::string Picture;
const TRunningProgram* Program = nullptr;

TfrmMain& Window() {
    return *static_cast<TfrmMain*>(Program->Controller.Form);
}

// The phrase file to open, every kind of misspelling of all entries, and yes to every question.
void Answer(QDialog& dialog) {
    if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
        files->selectFile(QString::fromStdString(PhraseFile));
        dialog.accept();
    } else if (auto* misspelled = qobject_cast<TfrmMisspelled*>(&dialog)) {
        misspelled->rbAll->setChecked(true);
        for (QCheckBox* kind : {misspelled->chkDuplicate, misspelled->chkSwapped, misspelled->chkMissing,
                                misspelled->chkQWERTY})
            kind->setChecked(true);
        dialog.accept();
    } else if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        (yes ? yes : box->defaultButton())->click();
    } else {
        dialog.accept();
    }
}

void RunJob() {
    QTest::mouseClick(Window().btnImport, Qt::LeftButton);
    const int imported = Program->Controller.CurrentList()->Count();
    TAction* action = Program->Controller.FindAction("aMultipleMisspelled");
    action->Update();
    const auto start = std::chrono::steady_clock::now();
    action->trigger();
    Window().lvMain->viewport()->repaint();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int made = Program->Controller.CurrentList()->Count();
    std::printf("imported %d, after the command %d entries, %.1f s, peak resident %.0f MB\n", imported, made,
                seconds, PeakResidentMegabytes());
    Window().lvMain->setFocus();
    QTest::keyClick(Window().lvMain, Qt::Key_End);
    QTest::qWait(200);
    Window().grab().save(QString::fromStdString(Picture));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PhraseFile = std::filesystem::absolute(TakeOption(argc, argv, "phrases")).string();
    Picture = TakeOption(argc, argv, "picture");
    if (!std::filesystem::is_regular_file(PhraseFile) || Picture.empty()) {
        std::fprintf(stderr, "usage: %s --phrases=FILE --picture=PNG\n", argv[0]);
        return 2;
    }
    SetModalShownHook(Answer);
    TMainRoutineHooks hooks;
    hooks.Running = [](const TRunningProgram& program) {
        Program = &program;
        RunJob();
        Window().close();
    };
    const int result = MainRoutine(argc, argv, hooks);
    SetModalShownHook(nullptr);
    return result;
}
