#pragma once

#include "core/Progress.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

// Calls take(i), in order, for each element i of [begin, end) that picked(i) answers true for, and reports
// every element as progress. Where the answers fall either way at random, a branch on each would be
// mispredicted half the time: the elements are picked a block at a time without branching, then taken.
template <class TPicked, class TTake>
void TakePicked(std::size_t begin, std::size_t end, TPicked picked, TTake take) {
    constexpr std::size_t Block = 2048;
    std::array<std::uint32_t, Block> chosen;
    for (std::size_t block = begin; block < end; block += Block) {
        const std::size_t blockEnd = std::min(block + Block, end);
        std::size_t count = 0;
        for (std::size_t i = block; i < blockEnd; ++i) {
            chosen[count] = static_cast<std::uint32_t>(i);
            count += picked(i) ? 1 : 0;
        }
        for (std::size_t k = 0; k < count; ++k)
            take(std::size_t{chosen[k]});
        ProgressAdvance(blockEnd - block);
    }
}
