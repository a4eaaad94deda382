#include "ui/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool TSystemClipboard::SetText(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->setText(unicode);
    return clipboard->text() == unicode;
}
