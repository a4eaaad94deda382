#include "frame/CodePageChoice.h"

#include "core/TextLocale.h"

#include <QLocale>

int CodePageForLocale(const QLocale& locale) {
    switch (locale.language()) {
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Serbian:
        return 1251;
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Croatian:
    case QLocale::Slovenian:
    case QLocale::Romanian:
        return 1250;
    case QLocale::Greek:
        return 1253;
    case QLocale::Turkish:
        return 1254;
    case QLocale::Hebrew:
        return 1255;
    case QLocale::Arabic:
        return 1256;
    case QLocale::Lithuanian:
    case QLocale::Latvian:
    case QLocale::Estonian:
        return 1257;
    case QLocale::Vietnamese:
        return 1258;
    default:
        return 1252;
    }
}

void SelectUserLocale() {
    SetTextLocale(QLocale::system().name().toStdString());
}
