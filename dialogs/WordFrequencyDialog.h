#pragma once

#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class TKeyItems;
class TWordFrequencyModel;

// "Word Frequency": the words of a list, or its two- or three-word phrases, each with the number of entries
// holding it; the user narrows the table by a filter, sorts it by either column and picks rows to highlight
// their entries or to send them to another list.
class TfrmWordFrequency : public TDialogForm {
    Q_OBJECT
public:
    TfrmWordFrequency();

    // Counts the list's words. False when closed; otherwise words holds the picked texts and sendToList tells
    // which of the two buttons was pressed.
    bool Execute(const TKeyItems& list, std::vector<std::string>& words, bool& sendToList);
    // Shows the runs of that many words (1 to 3) of the list being shown.
    void ShowRunsOf(int words);

    QRadioButton* rbWords;
    QRadioButton* rbTwoWords;
    QRadioButton* rbThreeWords;
    QLineEdit* edFilter;
    QTableView* tvWords;
    QLabel* lblShown;
    TWordFrequencyModel* Model;

private:
    void PickedChanged();
    void ShowCount();
    std::vector<std::string> PickedTexts() const;

    const TKeyItems* list_ = nullptr;
    int runLength_ = 0;
    TButtonEx* btnHighlight_;
    TButtonEx* btnSend_;
    bool sendToList_ = false;
};
