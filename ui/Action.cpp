#include "Action.h"

#include "ExceptionHook.h"

TAction::TAction(const QString& name, QObject* parent) : QAction(parent) {
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this] {
        if (OnExecute)
            CallReportingFailures([this] { OnExecute(*this); });
    });
}

void TAction::Update() {
    if (OnUpdate)
        OnUpdate(*this);
}
