#pragma once

#include <functional>

class QDialog;

// Runs a dialog modally in front of the main window and returns its result code. Every modal window of
// the program is run this way.
int RunModal(QDialog& dialog);

// Called from inside the modal loop of every run once the dialog is shown: tests fill in the controls there
// and end the run. An empty hook removes it.
using TModalShownHook = std::function<void(QDialog& dialog)>;
void SetModalShownHook(TModalShownHook hook);
