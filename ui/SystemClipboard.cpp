#include "SystemClipboard.h"

#include "CodePage.h"

#include <QClipboard>
#include <QGuiApplication>

bool TSystemClipboard::SetText(std::string_view text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString unicode = QString::fromStdString(ActiveCodePage().ToUtf8(text));
    clipboard->setText(unicode);
    return clipboard->text() == unicode;
}
