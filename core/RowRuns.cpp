#include "core/RowRuns.h"

#include <algorithm>
#include <bit>

namespace {

void Extend(std::vector<TRowRun>& runs, int row, int count) {
    if (!runs.empty() && runs.back().First + runs.back().Count == row)
        runs.back().Count += count;
    else
        runs.push_back({row, count});
}

// Whether a bit a row over span rows takes less room than the runs.
bool BitsAreSmaller(std::size_t span, std::size_t runs) {
    return (span + 63) / 64 * sizeof(std::uint64_t) < runs * sizeof(TRowRun);
}

// The bits of count bits from from on.
std::uint64_t Bits(std::size_t from, std::size_t count) {
    return (count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1) << from;
}

} // namespace

std::vector<TRowRun> RunsOf(const std::vector<int>& rows) {
    std::vector<TRowRun> runs;
    for (int row : rows)
        Extend(runs, row, 1);
    return runs;
}

TKeptRows::TKeptRows(std::vector<TRowRun> runs) {
    if (runs.empty())
        return;
    first_ = runs.front().First;
    const auto span = static_cast<std::size_t>(runs.back().First + runs.back().Count - first_);
    if (!BitsAreSmaller(span, runs.size())) {
        runs_ = std::move(runs);
        return;
    }
    bits_.assign((span + 63) / 64, 0);
    for (const TRowRun& run : runs)
        for (auto from = static_cast<std::size_t>(run.First - first_),
                  count = static_cast<std::size_t>(run.Count);
             count > 0;) {
            const std::size_t take = std::min(count, 64 - from % 64);
            bits_[from / 64] |= Bits(from % 64, take);
            from += take;
            count -= take;
        }
}

TKeptRows TKeptRows::OfRows(const std::int32_t* rows, std::size_t count) {
    TKeptRows kept;
    if (count == 0)
        return kept;
    std::size_t runs = 1;
    for (std::size_t k = 1; k < count; ++k)
        runs += rows[k] != rows[k - 1] + 1;
    kept.first_ = rows[0];
    const auto span = static_cast<std::size_t>(rows[count - 1] - rows[0]) + 1;
    if (!BitsAreSmaller(span, runs)) {
        kept.runs_.reserve(runs);
        for (std::size_t k = 0; k < count; ++k)
            Extend(kept.runs_, rows[k], 1);
        return kept;
    }
    kept.bits_.assign((span + 63) / 64, 0);
    for (std::size_t k = 0; k < count; ++k) {
        const auto bit = static_cast<std::size_t>(rows[k] - kept.first_);
        kept.bits_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    return kept;
}

std::vector<TRowRun> TKeptRows::Runs() const {
    if (bits_.empty())
        return runs_;
    std::vector<TRowRun> runs;
    for (std::size_t w = 0; w < bits_.size(); ++w)
        for (std::uint64_t word = bits_[w]; word != 0;) {
            const int start = std::countr_zero(word);
            const int count = std::countr_one(word >> start);
            Extend(runs, first_ + static_cast<int>(w * 64) + start, count);
            word &= ~Bits(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
        }
    return runs;
}

std::size_t TKeptRows::Bytes() const {
    return runs_.capacity() * sizeof(TRowRun) + bits_.capacity() * sizeof(std::uint64_t);
}
