#include "dialogs/FontAndColor.h"

QColor ToQColor(std::uint32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

std::uint32_t ToColorValue(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

QFont ToQFont(const TFontSpec& fontSpec) {
    QFont font(QString::fromStdString(fontSpec.Name), fontSpec.Size);
    font.setBold(fontSpec.Style & StyleBold);
    font.setItalic(fontSpec.Style & StyleItalic);
    font.setUnderline(fontSpec.Style & StyleUnderline);
    font.setStrikeOut(fontSpec.Style & StyleStrikeOut);
    return font;
}

void AssignFont(TFontSpec& fontSpec, const QFont& font) {
    fontSpec.Name = font.family().toStdString();
    fontSpec.Size = font.pointSize() > 0 ? font.pointSize() : fontSpec.Size;
    fontSpec.Style = static_cast<std::uint8_t>(
        (font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
        (font.underline() ? StyleUnderline : 0) | (font.strikeOut() ? StyleStrikeOut : 0));
}
