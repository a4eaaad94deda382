#pragma once

class QComboBox;
class TBusinessLogicLayer;
class TKeyItems;

// Fills the drop-down with the lists in order, showing each by name or, for the current list, by
// currentShownAs when that is given; selects the current list.
void FillListChoice(QComboBox& box, const TBusinessLogicLayer& lists, const char* currentShownAs = nullptr);
// The list at the drop-down's selected position; null when nothing is selected.
TKeyItems* ChosenList(const QComboBox& box, const TBusinessLogicLayer& lists);
