#include "Action.h"

#include "CommandScope.h"
#include "ExceptionHook.h"
#include "VectorState.h"

TAction::TAction(const QString& name, QObject* parent) : QAction(parent) {
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this] {
        if (!OnExecute)
            return;
        // A command may be run from code that just painted, not only from an event.
        ClearVectorUpperState();
        const TCommandScope command;
        CallReportingFailures([this] { OnExecute(*this); });
    });
}

void TAction::Update() {
    if (OnUpdate)
        OnUpdate(*this);
}
