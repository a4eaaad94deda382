#include "dialogs/SourceChoice.h"

#include "core/KeyItems.h"
#include "dialogs/DialogControls.h"
#include "dialogs/DialogText.h"

#include <QFocusEvent>
#include <QPlainTextEdit>
#include <QRadioButton>

TSourceChoice::TSourceChoice(QRadioButton* highlighted, QRadioButton* all, QRadioButton* typed,
                             QPlainTextEdit* words)
    : QObject(words), highlighted_(highlighted), all_(all), typed_(typed), words_(words) {
    all_->setChecked(true);
    words_->installEventFilter(this);
}

void TSourceChoice::Prepare(bool hasHighlighted, const TKeyItems* current) {
    highlighted_->setEnabled(hasHighlighted);
    if (!hasHighlighted && highlighted_->isChecked())
        all_->setChecked(true);
    // The chosen source takes the focus; left to the toolkit, it could land in the text box and so switch
    // the choice to typed words.
    (highlighted_->isChecked() ? highlighted_ : all_->isChecked() ? all_ : typed_)->setFocus();
    const QString name = current ? ShownText(current->Name) : QString();
    highlighted_->setText("Highlighted Words in " + name);
    all_->setText("All Words in " + name);
    FitCaption(highlighted_);
    FitCaption(all_);
    words_->clear();
}

std::uint8_t TSourceChoice::Kind() const {
    return highlighted_->isChecked() ? 0 : all_->isChecked() ? 1 : 2;
}

void TSourceChoice::ReadTypedWords(std::vector<std::string>& lines) const {
    if (Kind() == 2)
        lines = TextLines(*words_);
}

bool TSourceChoice::eventFilter(QObject* watched, QEvent* event) {
    // Focus that comes back with the window's activation or after a popup is no move into the box.
    if (watched == words_ && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            typed_->setChecked(true);
    }
    return QObject::eventFilter(watched, event);
}
