#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QPlainTextEdit;

// Keyword texts are UTF-8; the controls show and take them unchanged.
QString ShownText(std::string_view text);
std::string TypedText(const QString& text);

// The lines of a text box: split at its line breaks, in order, blanks kept, each cut to 4096 characters (code
// points); a line break at the very end starts no further line, and an empty box gives no lines.
std::vector<std::string> TextLines(const QPlainTextEdit& box);
void FillTextBox(QPlainTextEdit& box, const std::vector<std::string>& lines);

// Replaces the drop-down items with the recent entries; with any, the field shows the newest, otherwise it
// keeps its text.
void FillRecentEntries(QComboBox& box, const std::vector<std::string>& entries);
