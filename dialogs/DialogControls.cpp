#include "dialogs/DialogControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>

namespace {
template <class TControl> TControl* Place(TControl* control, const char* name, QRect bounds) {
    control->setObjectName(name);
    if (bounds.size().isEmpty()) {
        control->move(bounds.topLeft());
        control->adjustSize();
    } else {
        control->setGeometry(bounds);
    }
    return control;
}
} // namespace

// The bounds suit font metrics a little narrower than the fonts here give: a caption that does not fit
// grows away from its anchored side instead of being clipped.
void FitCaption(QAbstractButton* button) {
    const int missing = button->sizeHint().width() - button->width();
    if (missing > 0)
        button->setGeometry(button->geometry().adjusted(0, 0, missing, 0));
}

QLabel* FitLabel(QLabel* label) {
    if (label->wordWrap()) {
        label->resize(label->width(), std::max(label->height(), label->heightForWidth(label->width())));
        return label;
    }
    const int missing = label->sizeHint().width() - label->width();
    if (missing <= 0)
        return label;
    const bool right = label->alignment() & Qt::AlignRight;
    label->setGeometry(label->geometry().adjusted(right ? -missing : 0, 0, right ? 0 : missing, 0));
    return label;
}

QFrame* AddBevel(QWidget* parent, const char* name, QRect bounds) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::Box);
    frame->setFrameShadow(QFrame::Sunken);
    frame->lower();
    return Place(frame, name, bounds);
}

QFrame* AddSeparator(QWidget* parent, const char* name, QPoint at, int width) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return Place(line, name, QRect(at, QSize(width, 2)));
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect bounds,
                 Qt::Alignment alignment, bool wordWrap) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment);
    label->setWordWrap(wordWrap);
    return FitLabel(Place(label, name, bounds));
}

QLabel* AddFrameCaption(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    QLabel* label = AddLabel(parent, name, text, bounds);
    label->setAutoFillBackground(true);
    label->raise();
    return label;
}

QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds, bool checked) {
    auto* box = new QCheckBox(text, parent);
    box->setChecked(checked);
    FitCaption(Place(box, name, bounds));
    return box;
}

QRadioButton* AddRadioButton(QWidget* parent, const char* name, const QString& text, QRect bounds) {
    auto* button = Place(new QRadioButton(text, parent), name, bounds);
    FitCaption(button);
    return button;
}

QComboBox* AddComboBox(QWidget* parent, const char* name, QRect bounds, bool editable) {
    auto* box = new QComboBox(parent);
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Case-blind completion would turn a typed "shoe" into a listed "Shoe"; letter case is the user's.
    if (editable)
        box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    box->setMaxVisibleItems(8);
    return Place(box, name, bounds);
}

QLineEdit* AddEdit(QWidget* parent, const char* name, QRect bounds) {
    return Place(new QLineEdit(parent), name, bounds);
}

QPlainTextEdit* AddTextBox(QWidget* parent, const char* name, QRect bounds) {
    auto* box = new QPlainTextEdit(parent);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return Place(box, name, bounds);
}

void SetTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
