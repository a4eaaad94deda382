#pragma once

#include <QObject>

#include <vector>

class TAction;

// The ordered commands of a window. The list owns its commands; every live list is brought up to date
// when the interface turns idle.
class TActionList : public QObject {
    Q_OBJECT
public:
    explicit TActionList(QObject* parent = nullptr);
    ~TActionList() override;

    void Add(TAction* action);
    const std::vector<TAction*>& Actions() const { return actions_; }
    // The first command in the list's order whose name equals name exactly; null when there is none.
    TAction* Find(const QString& name) const;
    // Runs the update handler of every command of every list.
    static void UpdateAll();

private:
    std::vector<TAction*> actions_;
};
