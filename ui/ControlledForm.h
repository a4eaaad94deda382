#pragma once

#include <QWidget>

class TFormController;

// A window owned and driven by a controller; it lays out controls and forwards events.
class TControlledForm : public QWidget {
    Q_OBJECT
public:
    explicit TControlledForm(QWidget* parent = nullptr) : QWidget(parent) {}

    // Set by the controller that made this window; not owned.
    TFormController* Controller = nullptr;
};
