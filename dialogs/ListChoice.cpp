#include "dialogs/ListChoice.h"

#include "core/BusinessLogicLayer.h"
#include "dialogs/DialogText.h"

#include <QComboBox>

void FillListChoice(QComboBox& box, const TBusinessLogicLayer& lists, const char* currentShownAs) {
    box.clear();
    for (int i = 0; i < lists.ListCount(); ++i) {
        const TKeyItems& list = lists.GetList(i);
        const bool current = &list == lists.CurrentList();
        box.addItem(current && currentShownAs ? QString(currentShownAs) : ShownText(list.Name));
    }
    box.setCurrentIndex(lists.IndexOf(lists.CurrentList()));
}

TKeyItems* ChosenList(const QComboBox& box, const TBusinessLogicLayer& lists) {
    const int index = box.currentIndex();
    if (index < 0 || index >= lists.ListCount())
        return nullptr;
    return &lists.GetList(index);
}
