#pragma once

#include <cstddef>

// What a command that multiplies entries may claim: half of the memory the system has available now.
std::size_t CommandMemoryBudget();
