#include "DialogText.h"

#include "CodePage.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace {
constexpr std::size_t MaxLineLength = 4096;
}

QString ShownText(std::string_view codePageText) {
    return QString::fromStdString(ActiveCodePage().ToUtf8(codePageText));
}

std::string TypedText(const QString& text) {
    return ActiveCodePage().FromUtf8(text.toStdString());
}

std::vector<std::string> TextLines(const QPlainTextEdit& box) {
    const QString text = box.toPlainText();
    std::vector<std::string> lines;
    if (text.isEmpty())
        return lines;
    QStringList parts = text.split('\n');
    if (parts.back().isEmpty())
        parts.removeLast();
    for (const QString& part : parts) {
        std::string line = TypedText(part);
        if (line.size() > MaxLineLength)
            line.resize(MaxLineLength);
        lines.push_back(std::move(line));
    }
    return lines;
}

void FillTextBox(QPlainTextEdit& box, const std::vector<std::string>& lines) {
    QStringList shown;
    for (const std::string& line : lines)
        shown << ShownText(line);
    box.setPlainText(shown.join('\n'));
}

void FillRecentEntries(QComboBox& box, const std::vector<std::string>& entries) {
    const QString typed = box.currentText();
    box.clear();
    for (const std::string& entry : entries)
        box.addItem(ShownText(entry));
    if (entries.empty())
        box.setEditText(typed);
    else
        box.setCurrentIndex(0);
}
