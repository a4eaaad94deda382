#include "dialogs/ListChoice.h"

#include "core/BusinessLogicLayer.h"
#include "dialogs/DialogText.h"

#include <QComboBox>

void FillListChoice(QComboBox& box, const char* currentShownAs) {
    box.clear();
    for (int i = 0; i < BusinessLogicLayer->ListCount(); ++i) {
        const TKeyItems& list = BusinessLogicLayer->GetList(i);
        const bool current = &list == BusinessLogicLayer->CurrentList();
        box.addItem(current && currentShownAs ? QString(currentShownAs) : ShownText(list.Name));
    }
    box.setCurrentIndex(BusinessLogicLayer->IndexOf(BusinessLogicLayer->CurrentList()));
}

TKeyItems* ChosenList(const QComboBox& box) {
    const int index = box.currentIndex();
    if (index < 0 || index >= BusinessLogicLayer->ListCount())
        return nullptr;
    return &BusinessLogicLayer->GetList(index);
}
