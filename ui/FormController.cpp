#include "ui/FormController.h"

#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"
#include "dialogs/ApplicationForms.h"
#include "ui/ActionList.h"
#include "ui/Application.h"
#include "ui/ControlledForm.h"

TFormController::TFormController(const TFormClass& formClass, bool createViaApplication) {
    CheckpointScope checkpoint("FW_Layers_001");
    if (createViaApplication) {
        SetCheckpoint("FW_Layers_003");
        TApplication* application = TApplication::Instance();
        if (!application)
            throw Exception("No application object to create the window");
        Form = static_cast<TControlledForm*>(application->CreateForm([&formClass] { return formClass(); }));
    } else {
        SetCheckpoint("FW_Layers_002");
        Form = formClass();
        AdoptForm(Form);
    }
    Form->Controller = this;
}

TFormController::~TFormController() {
    CheckpointScope checkpoint("FW_Layers_004");
    delete Form;
    Form = nullptr;
    SetCheckpoint("FW_Layers_005");
}

TAction* TFormController::FindAction(const QString& name) const {
    if (!ActionList)
        return nullptr;
    CheckpointScope checkpoint("FW_Layers_006");
    return ActionList->Find(name);
}

TAction* TFormController::AddAction(const QString& name, const QString& caption, int imageIndex,
                                    TAction::THandler onExecute, TAction::THandler onUpdate) {
    if (!ActionList)
        return nullptr;
    CheckpointScope checkpoint("FW_Layers_007");
    auto* action = new TAction(name);
    action->setText(caption);
    action->ImageIndex = imageIndex;
    action->OnExecute = std::move(onExecute);
    action->OnUpdate = std::move(onUpdate);
    ActionList->Add(action);
    return action;
}

TAction* TFormController::BindAction(const QString& name, TAction::THandler onExecute,
                                     TAction::THandler onUpdate) {
    if (!ActionList)
        return nullptr;
    CheckpointScope checkpoint("FW_Layers_008");
    TAction* action = FindAction(name);
    if (action) {
        action->OnExecute = std::move(onExecute);
        action->OnUpdate = std::move(onUpdate);
    }
    return action;
}
