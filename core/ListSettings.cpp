#include "core/ListSettings.h"

#include "core/Exceptions.h"

void TListSettings::Assign(const TListSettings& other) {
    Font = other.Font;
    colors_ = other.colors_;
}

std::uint32_t TListSettings::GetColor(int index) const {
    if (index < 1 || index > 4)
        RaiseListIndexError(index);
    return colors_[index - 1];
}

void TListSettings::SetColor(int index, std::uint32_t color) {
    if (index < 1 || index > 4)
        RaiseListIndexError(index);
    colors_[index - 1] = color;
}

int TListSettings::GetColumnWidth(int index) const {
    if (index < 0 || index > 1)
        RaiseListIndexError(index);
    return columnWidths_[index];
}

void TListSettings::SetColumnWidth(int index, int width) {
    if (index < 0 || index > 1)
        RaiseListIndexError(index);
    columnWidths_[index] = width;
}
