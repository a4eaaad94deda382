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
