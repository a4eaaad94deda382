#include "dialogs/WordCountDialog.h"

#include "core/CheckpointTrail.h"
#include "dialogs/DialogControls.h"
#include "dialogs/SpinEdit.h"

#include <QKeyEvent>
#include <QLabel>

TfrmWordCount::TfrmWordCount() : TDialogForm("Word Count", QSize(277, 138)) {
    setObjectName("frmWordCount");
    AddBevel(this, "Bevel1", QRect(11, 12, 258, 80));
    AddFrameCaption(this, "Label1", " Select the number of words ", QRect(17, 7, 138, 13));
    seWordCount = new TSpinEdit(1, 25, this);
    seWordCount->setObjectName("seWordCount");
    seWordCount->setGeometry(93, 40, 71, 22);
    seWordCount->setValue(2);
    seWordCount->installEventFilter(this);
    AddOkCancel(QPoint(31, 102), QPoint(146, 102));
}

int TfrmWordCount::Execute(const std::string& title) {
    CheckpointScope checkpoint("d036");
    setWindowTitle(QString::fromStdString(title));
    seWordCount->setFocus();
    return RunModally() ? seWordCount->Value() : 0;
}

void TfrmWordCount::AskFor(const QString& caption, int maximum, int value) {
    auto* frameCaption = findChild<QLabel*>("Label1");
    frameCaption->setText(caption);
    frameCaption->adjustSize();
    seWordCount->setMaximum(maximum);
    seWordCount->setValue(value);
}

bool TfrmWordCount::eventFilter(QObject* watched, QEvent* event) {
    if (watched == seWordCount && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return TDialogForm::eventFilter(watched, event);
}
