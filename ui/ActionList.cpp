#include "ui/ActionList.h"

#include "ui/Action.h"

#include <algorithm>

namespace {
std::vector<TActionList*>& LiveLists() {
    static std::vector<TActionList*> lists;
    return lists;
}
} // namespace

TActionList::TActionList(QObject* parent) : QObject(parent) {
    LiveLists().push_back(this);
}

TActionList::~TActionList() {
    std::erase(LiveLists(), this);
}

void TActionList::Add(TAction* action) {
    action->setParent(this);
    actions_.push_back(action);
    connect(action, &QObject::destroyed, this, [this, action] { std::erase(actions_, action); });
}

TAction* TActionList::Find(const QString& name) const {
    for (TAction* action : actions_)
        if (action->Name() == name)
            return action;
    return nullptr;
}

void TActionList::UpdateAll() {
    const std::vector<TActionList*> lists = LiveLists();
    for (TActionList* list : lists) {
        const std::vector<TAction*> actions = list->actions_;
        for (TAction* action : actions)
            action->Update();
    }
}
