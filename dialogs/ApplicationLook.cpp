#include "dialogs/ApplicationLook.h"

#include "dialogs/Artwork.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

QColor WindowColor() {
    return QColor(224, 223, 228);
}

QFont WindowFont() {
    RegisterProgramFonts();
    return QFont("Tahoma", 8);
}

void RegisterProgramFonts() {
    static const bool registered = [] {
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"})
            QFontDatabase::addApplicationFont(QString("/usr/share/wine/fonts/") + file);
        return true;
    }();
    (void)registered;
}

void ApplyApplicationLook(QApplication& app) {
    app.setStyle(QStyleFactory::create("Fusion"));
    QPalette palette = app.style()->standardPalette();
    palette.setColor(QPalette::Window, WindowColor());
    app.setPalette(palette);
    app.setFont(WindowFont());
    app.setWindowIcon(ProgramIcon());
}
