#pragma once

#include <cstdint>

// The orders that TKeyItems::SortBy takes and keeps in SortOrder; 0 there means never sorted.
enum class TSortOrder : std::uint8_t {
    Ascending = 1,
    Descending = 2,
    AscendingWordCount = 3,
    DescendingWordCount = 4,
};
