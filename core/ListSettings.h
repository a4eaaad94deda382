#pragma once

#include <array>
#include <cstdint>
#include <string>

// Font styles as bits, combinable.
enum : std::uint8_t { StyleBold = 1, StyleItalic = 2, StyleUnderline = 4, StyleStrikeOut = 8 };

// A font as a plain value; colours are 0x00BBGGRR (red in the low byte).
struct TFontSpec {
    std::string Name = "Arial";
    int Size = 9;
    std::uint8_t Style = StyleBold;
    std::uint32_t Color = 0x000000;
    bool operator==(const TFontSpec&) const = default;
};

// Display settings that each keyword list carries: column widths, font and four row colours.
class TListSettings {
public:
    enum : int { EvenBack = 1, EvenText = 2, OddBack = 3, OddText = 4 };

    TFontSpec Font;

    // Copies font and colours; never the column widths.
    void Assign(const TListSettings& other);
    // Index 1..4; anything else is the list error.
    std::uint32_t GetColor(int index) const;
    void SetColor(int index, std::uint32_t color);
    // Index 0 ("#") or 1 ("Keywords").
    int GetColumnWidth(int index) const;
    void SetColumnWidth(int index, int width);

private:
    std::array<int, 2> columnWidths_{100, 273};
    std::array<std::uint32_t, 4> colors_{0xFFFFFF, 0x000000, 0xF1F1F1, 0x000000};
};
