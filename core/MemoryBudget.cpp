#include "core/MemoryBudget.h"

#include "core/KeyItem.h"

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t MaxListEntries = std::numeric_limits<std::int32_t>::max();

// 1234567 -> "1,234,567"; a saturated count is beyond counting.
std::string Grouped(std::uint64_t value) {
    if (value == Saturated)
        return "more than " + Grouped(Saturated - 1);
    const std::string digits = std::to_string(value);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string Megabytes(std::uint64_t bytes) {
    constexpr std::uint64_t MB = 1 << 20;
    return Grouped(bytes == Saturated ? bytes : bytes / MB + (bytes % MB != 0)) + " MB";
}

} // namespace

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > Saturated - b ? Saturated : a + b;
}

std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b) {
    if (a == 0 || b == 0)
        return 0;
    return a > Saturated / b ? Saturated : a * b;
}

void TGrowth::AddEntries(std::uint64_t entries, std::uint64_t bytesEach) {
    entries_ = SaturatingAdd(entries_, entries);
    bytes_ = SaturatingAdd(bytes_, SaturatingMultiply(entries, bytesEach));
}

void TGrowth::AddBytes(std::uint64_t bytes) {
    bytes_ = SaturatingAdd(bytes_, bytes);
}

std::uint64_t TGrowth::Memory() const {
    return SaturatingAdd(bytes_, SaturatingMultiply(entries_, sizeof(TKeyItem)));
}

void TGrowth::Check(int targetCount, std::size_t memoryBudget) const {
    const std::string unchanged = " Nothing was changed.";
    if (entries_ > MaxListEntries - static_cast<std::uint64_t>(targetCount < 0 ? 0 : targetCount))
        throw EMemoryBudgetError("This command would create " + Grouped(entries_) +
                                 " new entries, more than one list can hold (" + Grouped(MaxListEntries) +
                                 " in all)." + unchanged);
    if (Memory() <= memoryBudget)
        return;
    const std::string need =
        "about " + Megabytes(Memory()) + " of memory, but only " + Megabytes(memoryBudget) + " may be used.";
    if (entries_ == 0)
        throw EMemoryBudgetError("This command would need " + need + unchanged);
    throw EMemoryBudgetError("This command would create " + Grouped(entries_) + " new entries needing " +
                             need + unchanged);
}
