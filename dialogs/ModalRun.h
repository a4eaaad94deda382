#pragma once

#include <functional>

class QDialog;

class QWidget;

// Runs a dialog modally and returns its result code; a dialog without a parent stands in front of owner when
// there is one. Every modal window of the program is run this way.
int RunModal(QDialog& dialog, QWidget* owner = nullptr);

// Called from inside the modal loop of every run once the dialog is shown: tests fill in the controls there
// and end the run. An empty hook removes it.
using TModalShownHook = std::function<void(QDialog& dialog)>;
void SetModalShownHook(TModalShownHook hook);
