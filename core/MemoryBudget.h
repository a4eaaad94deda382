#pragma once

#include "core/Exceptions.h"

#include <cstddef>
#include <cstdint>

// What a command that grows a list may claim when its caller passes no budget of its own; the application
// passes a share of the machine's memory instead.
inline constexpr std::size_t DefaultMemoryBudget = std::size_t{1} << 30;

// A command would need more memory than its budget, or more entries than a list holds. Raised before the
// command changed anything.
class EMemoryBudgetError : public Exception {
public:
    using Exception::Exception;
};

// The entries and text bytes a command is about to add, counted before it adds anything. Sums saturate,
// so an absurd request stays absurd instead of wrapping round to a small number.
class TGrowth {
public:
    void AddEntries(std::uint64_t entries, std::uint64_t bytesEach);
    void AddBytes(std::uint64_t bytes);

    std::uint64_t Entries() const { return entries_; }
    std::uint64_t Bytes() const { return bytes_; }
    // Texts plus one entry record for each new entry.
    std::uint64_t Memory() const;
    // Raises EMemoryBudgetError when the growth does not fit the budget or a list that holds targetCount
    // entries already.
    void Check(int targetCount, std::size_t memoryBudget) const;

private:
    std::uint64_t entries_ = 0;
    std::uint64_t bytes_ = 0;
};

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b);
std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b);
