#include "dialogs/SpinEdit.h"

#include <QLineEdit>
#include <QLocale>

#include <algorithm>

TSpinEdit::TSpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int TSpinEdit::Value() const {
    return valueFromText(Text());
}

QString TSpinEdit::Text() const {
    return lineEdit()->text();
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
    const QChar separator = locale().decimalPoint().front();
    const bool allowed = std::all_of(input.begin(), input.end(), [separator](QChar c) {
        return c.isDigit() || c == '+' || c == '-' || c == separator;
    });
    if (!allowed)
        return QValidator::Invalid;
    bool whole = false;
    input.toInt(&whole);
    return whole ? QValidator::Acceptable : QValidator::Intermediate;
}

int TSpinEdit::valueFromText(const QString& text) const {
    bool whole = false;
    const int value = text.toInt(&whole);
    return whole ? std::clamp(value, minimum(), maximum()) : minimum();
}
