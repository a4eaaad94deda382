#pragma once

#include "core/WordFrequency.h"
#include "dialogs/DialogForm.h"

#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QRadioButton;
class QTableView;
class TWordFrequencyModel;

// "Word Frequency": the words of a list, or its two- or three-word phrases, each with the number of entries
// holding it; the user narrows the table by a filter, sorts it by either column and picks rows to highlight
// their entries or to send them to another list.
class TfrmWordFrequency : public TDialogForm {
    Q_OBJECT
public:
    TfrmWordFrequency();

    // Shows the words that count finds. False when closed, or when the user cancelled the first counting;
    // otherwise words holds the picked texts and sendToList tells which of the two buttons was pressed.
    bool Execute(const TCountWordRuns& count, std::vector<std::string>& words, bool& sendToList);
    // Shows the runs of that many words (1 to 3); when the user cancels their counting, the runs shown
    // before stay. False when nothing is shown.
    bool ShowRunsOf(int words);

    QRadioButton* rbWords;
    QRadioButton* rbTwoWords;
    QRadioButton* rbThreeWords;
    QLineEdit* edFilter;
    QTableView* tvWords;
    QLabel* lblShown;
    TWordFrequencyModel* Model;

private:
    void PickedChanged();
    // Checks the button of runs of that many words without counting them.
    void CheckQuietly(int words);
    void ShowCount();
    std::vector<std::string> PickedTexts() const;

    TCountWordRuns count_;
    int runLength_ = 0;
    TButtonEx* btnHighlight_;
    TButtonEx* btnSend_;
    bool sendToList_ = false;
};
