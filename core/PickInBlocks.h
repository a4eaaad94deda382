#pragma once

#include "core/Progress.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Elements are picked this many at a time.
inline constexpr std::size_t PickBlock = 2048;

// Calls take(chosen), block by block in order, with the elements i of [begin, end) that picked(i) answers
// true for, and reports every element as progress. Where the answers fall either way at random, a branch on
// each would be mispredicted half the time: the elements are picked a block at a time without branching,
// then taken.
template <class TPicked, class TTakeBlock>
void TakePickedBlocks(std::size_t begin, std::size_t end, TPicked picked, TTakeBlock take) {
    std::array<std::uint32_t, PickBlock> chosen;
    for (std::size_t block = begin; block < end; block += PickBlock) {
        const std::size_t blockEnd = std::min(block + PickBlock, end);
        std::size_t count = 0;
        for (std::size_t i = block; i < blockEnd; ++i) {
            chosen[count] = static_cast<std::uint32_t>(i);
            count += picked(i) ? 1 : 0;
        }
        take(std::span<const std::uint32_t>(chosen.data(), count));
        ProgressAdvance(blockEnd - block);
    }
}

// Calls take(i), in order, for each element i of [begin, end) that picked(i) answers true for.
template <class TPicked, class TTake>
void TakePicked(std::size_t begin, std::size_t end, TPicked picked, TTake take) {
    TakePickedBlocks(begin, end, picked, [&](std::span<const std::uint32_t> chosen) {
        for (const std::uint32_t i : chosen)
            take(std::size_t{i});
    });
}
