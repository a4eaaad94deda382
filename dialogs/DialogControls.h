#pragma once

#include <QRect>
#include <QString>
#include <Qt>

#include <initializer_list>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QWidget;

// Controls of the dialogs, each placed at its bounds in client pixels and named as the dialog names it.
QFrame* AddBevel(QWidget* parent, const char* name, QRect bounds);
// A one-pixel etched line.
QFrame* AddSeparator(QWidget* parent, const char* name, QPoint at, int width);
// A label; a bounds of zero size sizes the label to its text. A caption wider than its bounds grows away
// from its alignment side; a word-wrapped one grows downwards.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, QRect bounds,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, bool wordWrap = false);
// Grows a placed label as AddLabel does.
QLabel* FitLabel(QLabel* label);
// Widens a check box or radio button whose caption does not fit.
void FitCaption(QAbstractButton* button);
// A label over a frame's top edge, hiding the line behind its text.
QLabel* AddFrameCaption(QWidget* parent, const char* name, const QString& text, QRect bounds);
QCheckBox* AddCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds, bool checked);
QRadioButton* AddRadioButton(QWidget* parent, const char* name, const QString& text, QRect bounds);
// Editable: typed text plus a drop-down; otherwise a choice of its items only.
QComboBox* AddComboBox(QWidget* parent, const char* name, QRect bounds, bool editable);
QLineEdit* AddEdit(QWidget* parent, const char* name, QRect bounds);
// Multi-line, both scroll bars, no word wrap.
QPlainTextEdit* AddTextBox(QWidget* parent, const char* name, QRect bounds);
// Keyboard focus moves through the controls in this order.
void SetTabOrder(std::initializer_list<QWidget*> controls);
