#pragma once

#include <QObject>

#include <cstdint>
#include <string>
#include <vector>

class QPlainTextEdit;
class QRadioButton;
class QWidget;
class TKeyItems;

// Where the words of the combine-words and misspellings dialogs come from: the highlighted entries of the
// current list (0), all its entries (1) or the lines typed into the text box (2). Focusing the text box
// chooses typed words.
class TSourceChoice : public QObject {
    Q_OBJECT
public:
    TSourceChoice(QRadioButton* highlighted, QRadioButton* all, QRadioButton* typed, QPlainTextEdit* words);

    // Enables the first choice only with highlighted entries (falling back to all entries), names the current
    // list (if any) in the captions, empties the text box and focuses the chosen source.
    void Prepare(bool hasHighlighted, const TKeyItems* current);
    std::uint8_t Kind() const;
    // For typed words, replaces lines with the text box's lines; otherwise leaves them.
    void ReadTypedWords(std::vector<std::string>& lines) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* highlighted_;
    QRadioButton* all_;
    QRadioButton* typed_;
    QPlainTextEdit* words_;
};
