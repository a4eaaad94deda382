#pragma once

#include <string_view>

// The characters next to a letter's key on a QWERTY keyboard, in a fixed order; an upper-case letter has the
// same row in upper case. Empty for anything but A-Z and a-z.
std::string_view QwertyNeighbours(char c);
