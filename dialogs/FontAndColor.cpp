#include "FontAndColor.h"

QColor ToQColor(std::uint32_t color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

std::uint32_t ToColorValue(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

QFont ToQFont(const TFontSpec& spec) {
    QFont font(QString::fromStdString(spec.Name), spec.Size);
    font.setBold(spec.Style & StyleBold);
    font.setItalic(spec.Style & StyleItalic);
    font.setUnderline(spec.Style & StyleUnderline);
    font.setStrikeOut(spec.Style & StyleStrikeOut);
    return font;
}

void AssignFont(TFontSpec& spec, const QFont& font) {
    spec.Name = font.family().toStdString();
    spec.Size = font.pointSize() > 0 ? font.pointSize() : spec.Size;
    spec.Style = static_cast<std::uint8_t>((font.bold() ? StyleBold : 0) | (font.italic() ? StyleItalic : 0) |
                                           (font.underline() ? StyleUnderline : 0) |
                                           (font.strikeOut() ? StyleStrikeOut : 0));
}
