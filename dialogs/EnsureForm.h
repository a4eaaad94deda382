#pragma once

#include "dialogs/ApplicationForms.h"

#include <QPointer>

// Creates the window on first use, owned by the application object, and keeps it in form; true when it
// created the window now. The pointer turns null if the window is ever freed.
template <class TForm> bool EnsureForm(QPointer<TForm>& form) {
    if (form)
        return false;
    form = new TForm();
    AdoptForm(form);
    return true;
}

// The dialog in form, made on first use, to run in front of owner.
template <class TForm> TForm& DialogFor(QPointer<TForm>& form, QWidget* owner) {
    EnsureForm(form);
    form->OwnerWindow = owner;
    return *form;
}
