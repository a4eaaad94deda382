#pragma once

#include <QFont>

// A bold font that looks bold at small sizes. The bold face of the window font that the desktop offers
// draws as thin as its regular face at 8 or 9 pt, so bold texts take the sans-serif font that does show it.
QFont VisibleBoldFont(int pointSize);
