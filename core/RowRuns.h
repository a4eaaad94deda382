#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Rows First to First + Count - 1.
struct TRowRun {
    int First = 0;
    int Count = 0;
    bool operator==(const TRowRun&) const = default;
};

// The runs of ascending rows.
std::vector<TRowRun> RunsOf(const std::vector<int>& rows);

// Ascending runs of rows, kept for as long as an undo level lasts: as they are, or as a bit a row from the
// first row to the last, where that takes less room (rows removed from all over a long list make millions of
// short runs).
class TKeptRows {
public:
    TKeptRows() = default;
    explicit TKeptRows(std::vector<TRowRun> runs);
    // The rows, strictly ascending, without making their runs first.
    static TKeptRows OfRows(const std::int32_t* rows, std::size_t count);

    std::vector<TRowRun> Runs() const;
    std::size_t Bytes() const;

private:
    std::vector<TRowRun> runs_;
    // Bit k of the bits is row first_ + k.
    std::vector<std::uint64_t> bits_;
    int first_ = 0;
};
