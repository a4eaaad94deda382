#include "dialogs/DialogText.h"

#include "core/Utf8.h"

#include <QComboBox>
#include <QPlainTextEdit>

namespace {
constexpr std::size_t MaxLineLength = 4096;

// The first maxChars characters of a UTF-8 text.
void CutToChars(std::string& text, std::size_t maxChars) {
    std::size_t at = 0;
    for (std::size_t chars = 0; at < text.size() && chars < maxChars; ++chars)
        Utf8::Next(text, at);
    text.resize(at);
}
} // namespace

QString ShownText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string TypedText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return {utf8.constData(), static_cast<std::size_t>(utf8.size())};
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
        CutToChars(line, MaxLineLength);
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
