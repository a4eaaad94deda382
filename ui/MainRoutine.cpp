#include "ui/MainRoutine.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "dialogs/MessageBoxes.h"
#include "frame/CodePageChoice.h"
#include "frame/ExceptionHandler.h"
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

// The platform services the running program uses, installed for as long as it runs.
struct TPlatformServices {
    TMessageBoxes Boxes;
    TSystemClipboard Clipboard;
    TProgramDialogs Dialogs;

    explicit TPlatformServices(TManagementLayer& management) : Dialogs(management) {
        InstallMessageBoxes(&Boxes);
        InstallClipboard(&Clipboard);
    }
    ~TPlatformServices() {
        InstallClipboard(nullptr);
        InstallMessageBoxes(nullptr);
    }
    TPlatformServices(const TPlatformServices&) = delete;
    TPlatformServices& operator=(const TPlatformServices&) = delete;
};

void CreateLayers() {
    PushCheckpoint("AS001");
    CreateBusinessLogicLayer();
    SetCheckpoint("AS012");
    CreateManagementLayer();
    PopCheckpoint();
}

void StartAndRun(std::optional<TApplication>& application, std::unique_ptr<TPlatformServices>& services,
                 std::unique_ptr<TListKeeper>& keeper, int& argc, char** argv,
                 const TMainRoutineHooks& hooks) {
    SelectUserLocale();
    CreateLayers();
    SetCheckpoint("DPR002");
    application.emplace(argc, argv);
    QGuiApplication::setDesktopFileName("pellox-termwright");
    services = std::make_unique<TPlatformServices>(*ManagementLayer);
    ManagementLayer->SetParameterDialogs(hooks.ParameterDialogs ? hooks.ParameterDialogs
                                                                : &services->Dialogs.Parameters());
    SetCheckpoint("DPR003");
    const TMainViewClass formClass = hooks.FormClass ? hooks.FormClass : [] { return new TfrmMain(); };
    IControllerDialogs& dialogs = hooks.ControllerDialogs ? *hooks.ControllerDialogs : services->Dialogs;
    MainFormController = new TMainFormController(formClass, {*BusinessLogicLayer, *ManagementLayer, dialogs});
    MainWindowHandle = MainFormController->Form;
    ManagementLayer->SetMainWindow(dynamic_cast<IMainWindowBounds*>(MainFormController->Form));
    ManagementLayer->LoadSettings();
    MainFormController->ApplyCurrentListFont();
    keeper = std::make_unique<TListKeeper>(KeptListsFolder(), *MainFormController);
    keeper->Start();
    if (hooks.Running)
        QTimer::singleShot(0, &*application, hooks.Running);
    application->Run();
}

void ShutDown(std::unique_ptr<TListKeeper>& keeper) {
    SetCheckpoint("DPR004");
    // The lists are saved while the window still shows which one is current and what is highlighted.
    keeper.reset();
    if (ManagementLayer)
        ManagementLayer->SaveSettings();
    SetCheckpoint("DPR005");
    if (MainFormController) {
        delete MainFormController;
        MainFormController = nullptr;
        // The window is gone: later saves skip its bounds, and no box may name it as owner.
        if (ManagementLayer)
            ManagementLayer->SetMainWindow(nullptr);
        MainWindowHandle = nullptr;
    }
    SetCheckpoint("DPR006");
    PushCheckpoint("AD001");
    SetCheckpoint("AD002");
    DestroyManagementLayer();
    DestroyBusinessLogicLayer();
    PopCheckpoint();
}

} // namespace

int MainRoutine(int& argc, char** argv, const TMainRoutineHooks& hooks) {
    CreateExceptionHandler();
    // Declared outside the guarded steps: the error box of a failed start needs them.
    std::optional<TApplication> application;
    std::unique_ptr<TPlatformServices> services;
    std::unique_ptr<TListKeeper> keeper;
    try {
        PushCheckpoint("DPR001");
        try {
            StartAndRun(application, services, keeper, argc, argv, hooks);
        } catch (...) {
            ShutDown(keeper);
            throw;
        }
        ShutDown(keeper);
        PopCheckpoint();
    } catch (...) {
        // Not only our own exceptions: anything that escaped is reported rather than ending the process.
        ExceptionHandler->HandleException(std::current_exception());
    }
    DestroyExceptionHandler();
    services.reset();
    application.reset();
    UnwindTrail(true);
    return 0;
}
