#include "ui/Action.h"

#include "frame/ExceptionHook.h"

TAction::TAction(const QString& name, QObject* parent) : QAction(parent) {
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this] {
        if (!OnExecute)
            return;
        CallReportingFailures([this] { OnExecute(*this); });
    });
}

void TAction::Update() {
    if (OnUpdate)
        OnUpdate(*this);
}
