#pragma once

#include <string_view>

// The characters next to a letter's key, in a fixed order: on a QWERTY keyboard for A-Z and a-z, on the
// Russian ЙЦУКЕН layout for the Cyrillic letters of that layout. A capital letter has the same row in upper
// case (digits unchanged). Empty for any other character.
std::u32string_view KeyboardNeighbours(char32_t c);
