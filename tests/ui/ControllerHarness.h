#pragma once

#include "tests/ui/FakeMainView.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/ExceptionHook.h"
#include "frame/ManagementLayer.h"
#include "ui/MainFormController.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

// What undo or a cancel must bring back of a list; the highlight is the view's when the list is shown.
struct TListState {
    std::vector<std::string> Entries;
    std::vector<int> Highlighted;
    int SortOrder;
    std::string Name;
    bool operator==(const TListState&) const = default;
};

// The main-window controller on a window-less view and fake dialogs, with lists and a management layer of
// its own, made afresh for every test.
class TControllerHarness {
protected:
    std::optional<TBusinessLogicLayer> lists;
    TErrorLog log;
    std::optional<TManagementLayer> management;
    TFakeMainView* view = nullptr;
    TFakeControllerDialogs dialogs;
    TFakeParameterDialogs parameters;
    TFakeClipboard clipboard;
    TMainFormController* controller = nullptr;
    // What a command raised: commands hand their failures to the application's handler.
    std::exception_ptr reported;

    void StartController() {
        UnwindTrail(true);
        lists.emplace();
        management.emplace(*lists, log);
        management->SetParameterDialogs(&parameters);
        reported = nullptr;
        SetApplicationExceptionHook([this](std::exception_ptr error) { reported = error; });
        dialogs = TFakeControllerDialogs();
        dialogs.management = &*management;
        parameters = TFakeParameterDialogs();
        clipboard = TFakeClipboard();
        controller = new TMainFormController([this] { return view = new TFakeMainView(); },
                                             {*lists, *management, dialogs, clipboard});
    }

    void StopController() {
        delete controller;
        SetApplicationExceptionHook({});
        management.reset();
        lists.reset();
        UnwindTrail(true);
    }

    TKeyItems& Current() { return *lists->CurrentList(); }
    TListState State(const TKeyItems& list) const {
        TListState state{{}, {}, list.SortOrder, list.Name};
        for (auto text : list.AllTexts())
            state.Entries.emplace_back(text);
        if (&list == lists->CurrentList())
            state.Highlighted = view->SelectedRows();
        return state;
    }
    TAction& Action(const char* name) { return *controller->FindAction(name); }
    // Adds the texts to the current list and shows them.
    void Fill(const std::vector<std::string>& texts) {
        for (const auto& text : texts)
            Current().AddKeyword(text);
        controller->RefreshView(false, false);
    }
    bool Enabled(const char* name) {
        TAction* action = controller->FindAction(name);
        action->Update();
        return action->isEnabled();
    }
};
