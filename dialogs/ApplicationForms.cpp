#include "dialogs/ApplicationForms.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace {
std::vector<QPointer<QWidget>>& Forms() {
    static std::vector<QPointer<QWidget>> forms;
    return forms;
}

void DropFreed() {
    std::erase_if(Forms(), [](const QPointer<QWidget>& form) { return form.isNull(); });
}
} // namespace

void AdoptForm(QWidget* form) {
    DropFreed();
    Forms().emplace_back(form);
}

std::vector<QWidget*> AdoptedForms() {
    DropFreed();
    std::vector<QWidget*> forms;
    for (const auto& form : Forms())
        forms.push_back(form);
    return forms;
}

void FreeAdoptedForms() {
    while (!Forms().empty()) {
        QPointer<QWidget> form = Forms().back();
        Forms().pop_back();
        delete form.data();
    }
}
