#pragma once

#include <QSpinBox>

// The numeric spin field: takes digits, signs and the decimal separator as typed; Value() reads the text as a
// whole number brought within the bounds, or the minimum when it is none.
class TSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int Value() const;
    // The text as typed.
    QString Text() const;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
};
