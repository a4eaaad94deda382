#pragma once

class QComboBox;
class TKeyItems;

// Fills the drop-down with the business-logic layer's lists in order, showing each by name or, for the
// current list, by currentShownAs when that is given; selects the current list.
void FillListChoice(QComboBox& box, const char* currentShownAs = nullptr);
// The list at the drop-down's selected position; null when nothing is selected.
TKeyItems* ChosenList(const QComboBox& box);
