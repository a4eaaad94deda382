#include "ui/BoldFont.h"

QFont VisibleBoldFont(int pointSize) {
    QFont font("Arial", pointSize);
    font.setBold(true);
    return font;
}
