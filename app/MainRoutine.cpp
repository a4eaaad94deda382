#include "app/MainRoutine.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/MessageBoxes.h"
#include "frame/CodePageChoice.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHandler.h"
#include "frame/HeapPolicy.h"
#include "frame/ManagementLayer.h"
#include "ui/Application.h"
#include "ui/ControlledForm.h"
#include "ui/ListKeeper.h"
#include "ui/MainFormController.h"
#include "ui/MainWindow.h"
#include "ui/RealControllerDialogs.h"
#include "ui/SystemClipboard.h"

#include <QTimer>

#include <memory>
#include <optional>

namespace {

// What the program is made of. The layers, the window and the keeper go in the shut-down, in reverse order;
// the rest goes with this object, the exception handler first and the application object last.
struct TProgram {
    std::optional<TApplication> Application;
    TMessageBoxes Boxes;
    TSystemClipboard Clipboard;
    std::optional<TProgramDialogs> Dialogs;
    TErrorLog Log;
    TExceptionHandler ErrorHandler{Boxes, Log};
    std::optional<TBusinessLogicLayer> Lists;
    std::optional<TManagementLayer> Management;
    std::unique_ptr<TMainFormController> Controller;
    std::unique_ptr<TListKeeper> Keeper;
};

void CreateLayers(TProgram& program) {
    PushCheckpoint("AS001");
    PushCheckpoint("AS005");
    program.Lists.emplace();
    PopCheckpoint();
    SetCheckpoint("AS012");
    program.Management.emplace(*program.Lists, program.Log);
    PopCheckpoint();
}

// The owner of the boxes and dialogs, whose bounds the settings keep; null once it is gone.
void SetMainWindow(TProgram& program, TControlledForm* window) {
    program.ErrorHandler.SetMainWindow(window);
    program.Dialogs->SetMainWindow(window);
    program.Management->SetMainWindow(dynamic_cast<IMainWindowBounds*>(window));
}

void StartAndRun(TProgram& program, int& argc, char** argv, const TMainRoutineHooks& hooks) {
    SelectUserLocale();
    CreateLayers(program);
    SetCheckpoint("DPR002");
    program.Application.emplace(argc, argv);
    QGuiApplication::setDesktopFileName("pellox-termwright");
    TManagementLayer& management = *program.Management;
    program.Dialogs.emplace(*program.Lists, management, program.Boxes);
    management.SetParameterDialogs(hooks.ParameterDialogs ? hooks.ParameterDialogs
                                                          : &program.Dialogs->Parameters());
    SetCheckpoint("DPR003");
    const TMainViewClass formClass = hooks.FormClass ? hooks.FormClass : [&program] {
        return new TfrmMain(*program.Lists, program.Boxes);
    };
    IControllerDialogs& dialogs = hooks.ControllerDialogs ? *hooks.ControllerDialogs : *program.Dialogs;
    program.Controller = std::make_unique<TMainFormController>(
        formClass, TControllerServices{*program.Lists, management, dialogs, program.Clipboard});
    TMainFormController& controller = *program.Controller;
    SetMainWindow(program, controller.Form);
    management.LoadSettings();
    controller.ApplyCurrentListFont();
    program.Keeper =
        std::make_unique<TListKeeper>(KeptListsFolder(), controller, *program.Lists, management, program.Log);
    program.Keeper->Start();
    const TRunningProgram running{*program.Lists, management, controller};
    if (hooks.Running)
        QTimer::singleShot(0, &*program.Application, [&hooks, &running] { hooks.Running(running); });
    program.Application->Run();
}

void ShutDown(TProgram& program) {
    SetCheckpoint("DPR004");
    // The lists are saved while the window still shows which one is current and what is highlighted.
    program.Keeper.reset();
    if (program.Management)
        program.Management->SaveSettings();
    SetCheckpoint("DPR005");
    if (program.Controller) {
        program.Controller.reset();
        SetMainWindow(program, nullptr);
    }
    SetCheckpoint("DPR006");
    PushCheckpoint("AD001");
    SetCheckpoint("AD002");
    program.Management.reset();
    PushCheckpoint("AD005");
    program.Lists.reset();
    PopCheckpoint();
    PopCheckpoint();
}

void Run(int& argc, char** argv, const TMainRoutineHooks& hooks) {
    TProgram program;
    try {
        PushCheckpoint("DPR001");
        try {
            StartAndRun(program, argc, argv, hooks);
        } catch (...) {
            ShutDown(program);
            throw;
        }
        ShutDown(program);
        PopCheckpoint();
    } catch (...) {
        // Not only our own exceptions: anything that escaped is reported rather than ending the process.
        program.ErrorHandler.HandleException(std::current_exception());
    }
}

} // namespace

int MainRoutine(int& argc, char** argv, const TMainRoutineHooks& hooks) {
    ReturnFreedHeapPromptly();
    Run(argc, argv, hooks);
    UnwindTrail(true);
    return 0;
}
