#pragma once

#include <vector>

class QWidget;

// The windows that the application object owns: top-level windows without a parent, freed when the
// application ends unless their creator frees them first (which removes them from the list).
void AdoptForm(QWidget* form);
std::vector<QWidget*> AdoptedForms();
// Frees every adopted window still alive, newest first.
void FreeAdoptedForms();
