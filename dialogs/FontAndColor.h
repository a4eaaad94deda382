#pragma once

#include "core/ListSettings.h"

#include <QColor>
#include <QFont>

// Lists keep colours as 0x00BBGGRR and fonts as plain values; the controls use the toolkit's.
QColor ToQColor(std::uint32_t color);
std::uint32_t ToColorValue(const QColor& color);
QFont ToQFont(const TFontSpec& fontSpec);
// Face, size and style of font; the colour stays.
void AssignFont(TFontSpec& fontSpec, const QFont& font);
