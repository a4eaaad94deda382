#pragma once

#include <QAction>

#include <functional>

// A named command of a window: caption, image index, integer tag, enabled state, and the handlers that run it
// and that set its enabled state whenever the interface turns idle. Menu items show it directly; image
// buttons bound to it follow its enabled state.
class TAction : public QAction {
    Q_OBJECT
public:
    using THandler = std::function<void(TAction& action)>;

    explicit TAction(const QString& name, QObject* parent = nullptr);

    QString Name() const { return objectName(); }
    int ImageIndex = -1;
    int Tag = 0;
    THandler OnExecute;
    THandler OnUpdate;

    // Runs the update handler, if any.
    void Update();
};
