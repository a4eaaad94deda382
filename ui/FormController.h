#pragma once

#include "ui/Action.h"

#include <functional>

class TActionList;
class TControlledForm;

// What a controller creates as its window.
using TFormClass = std::function<TControlledForm*()>;
template <class TForm> TFormClass FormClassOf() {
    return [] { return new TForm(); };
}

// A controller creates its window, owns it and binds the window's commands to handlers of its own. A derived
// controller passes its window class (its static GetFormClass()) to this constructor, since the window is
// made before the derived part exists.
class TFormController {
public:
    // Through the application object (the first such window is the main window), or with the application as
    // owner. An exception while the window is made leaves "FW_Layers_002" or "FW_Layers_003" on the trail.
    TFormController(const TFormClass& formClass, bool createViaApplication);
    virtual ~TFormController();
    TFormController(const TFormController&) = delete;
    TFormController& operator=(const TFormController&) = delete;

    TControlledForm* Form = nullptr;
    // Set by the derived controller; not owned.
    TActionList* ActionList = nullptr;

    // The first command in the list's order whose name equals name exactly; null when there is none.
    TAction* FindAction(const QString& name) const;
    // A new command in ActionList; null when there is no list.
    virtual TAction* AddAction(const QString& name, const QString& caption, int imageIndex,
                               TAction::THandler onExecute, TAction::THandler onUpdate);
    // Replaces both handlers of the named command; null when there is no list or no such command.
    virtual TAction* BindAction(const QString& name, TAction::THandler onExecute, TAction::THandler onUpdate);
};
