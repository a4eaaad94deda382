#pragma once

#include "version.h"

#include <QColor>
#include <QFont>

class QApplication;

// The title every main-window confirmation and the About dialog show.
inline constexpr char ApplicationTitle[] = "Pellox Termwright V " PT_VERSION;

// Background of every window of the program.
QColor WindowColor();
// Tahoma 8 pt: the font of every window.
QFont WindowFont();
// Registers the fonts the windows ask for by name (Tahoma, MS Sans Serif) from the system's Wine font folder;
// fontconfig does not look there. Safe to call more than once.
void RegisterProgramFonts();
// Fusion style, the window colour, the window font and the program icon for the whole application.
void ApplyApplicationLook(QApplication& app);
