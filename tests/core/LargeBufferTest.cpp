#include "core/LargeBuffer.h"
#include "core/FillAhead.h"
#include "core/TextArena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// What the system says of the mapping that holds address.
struct TMapping {
    bool HugePagesAsked = false;
};

TMapping MappingOf(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    const auto target = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    TMapping mapping;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t from = 0, to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2 && line.find(':') > line.find(' ')) {
            inside = from <= target && target < to;
            continue;
        }
        if (!inside)
            continue;
        if (line.starts_with("VmFlags:"))
            mapping.HugePagesAsked = line.find(" hg") != std::string::npos;
    }
    return mapping;
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return 0;
}

bool SystemOffersHugePages() {
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(mode, text);
    return text.find("[never]") == std::string::npos && !text.empty();
}

} // namespace

TEST(LargeBufferTest, LargeBlocksAreMappedOnHugePageBoundariesAndGoBackWhenFreed) {
    for (const std::size_t bytes : {std::size_t{3} << 20, (std::size_t{64} << 20) + 12345}) {
        SCOPED_TRACE(bytes);
        auto* data = static_cast<char*>(LargeBuffer::Map(bytes));
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % (2 << 20), 0u);
        for (std::size_t i = 0; i < bytes; i += 4096)
            data[i] = 1;
        data[bytes - 1] = 1;
        if (SystemOffersHugePages()) {
            EXPECT_TRUE(MappingOf(data).HugePagesAsked);
        }
        const long before = ResidentKb();
        LargeBuffer::Unmap(data, bytes);
        // Other memory of the process moves too (the sanitizers' own), so allow half a megabyte.
        EXPECT_GE(before - ResidentKb(), static_cast<long>(bytes / 1024) - 512);
    }
}

TEST(LargeBufferTest, ArraysForScatteredWritesTakeSmallPagesAndKeepWhatIsWritten) {
    constexpr std::size_t count = std::size_t{3} << 20;
    TLargeArray<std::uint32_t> values(count, LargeBuffer::TPaging::Small);
    for (std::size_t i = 0; i < count; ++i)
        values[(i * 2654435761u) % count] = static_cast<std::uint32_t>(i);
    EXPECT_FALSE(MappingOf(values.get()).HugePagesAsked);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < count; ++i)
        wrong += values[(i * 2654435761u) % count] != i;
    EXPECT_EQ(wrong, 0u);
}

TEST(LargeBufferTest, VectorKeepsItsElementsAcrossTheHeapAndMappedSizes) {
    std::vector<std::uint64_t, TLargeAllocator<std::uint64_t>> values;
    for (std::uint64_t i = 0; i < 1'000'000; ++i)
        values.push_back(i * 2654435761u);
    for (std::uint64_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(values[i], i * 2654435761u) << i;
    if (SystemOffersHugePages()) {
        EXPECT_TRUE(MappingOf(values.data()).HugePagesAsked);
    }
    values.resize(10);
    values.shrink_to_fit();
    EXPECT_EQ(values.back(), std::uint64_t{9} * 2654435761u);
}

// A vector that lost most of its elements gives its spare pages back where it stands, for sizes whose end
// falls anywhere in a page, keeps every element, and grows into the room again.
TEST(LargeBufferTest, SpareRoomGoesBackWithoutMovingTheElements) {
    for (const std::size_t kept :
         {std::size_t{1}, std::size_t{4095}, std::size_t{100'001}, std::size_t{1} << 20}) {
        SCOPED_TRACE(kept);
        TLargeVector<std::uint32_t> values;
        for (std::uint32_t i = 0; i < (8u << 20); ++i)
            values.push_back(i * 2654435761u);
        const std::uint32_t* const place = values.data();
        const long before = ResidentKb();
        values.resize(kept);
        GiveBackSpare(values);
        EXPECT_EQ(values.data(), place);
        EXPECT_GE(before - ResidentKb(), static_cast<long>((8u << 20) - kept) * 4 / 1024 - 2048);
        std::size_t wrong = 0;
        for (std::uint32_t i = 0; i < kept; ++i)
            wrong += values[i] != i * 2654435761u;
        EXPECT_EQ(wrong, 0u);
        values.resize(2 * kept + 5000, 7);
        EXPECT_EQ(values.back(), 7u);
        EXPECT_EQ(values[kept - 1], static_cast<std::uint32_t>(kept - 1) * 2654435761u);
    }
}

TEST(LargeBufferTest, ArenaGivesItsStorageBackOnReset) {
    // Many texts over many blocks, then a second job in the same arena: the first job's storage must be
    // gone, not kept for later.
    TTextArena arena;
    const std::string text(1000, 'x');
    std::vector<const char*> stored;
    for (int i = 0; i < 100'000; ++i)
        stored.push_back(arena.Store(text));
    for (const char* data : {stored.front(), stored[50'000], stored.back()})
        EXPECT_EQ(std::string(data, text.size()), text);
    const long full = ResidentKb();
    arena.Reset();
    EXPECT_GE(full - ResidentKb(), 90'000);
    TTextArena other;
    other.Reserve(10 << 20);
    char* kept = other.Store("kept");
    arena.Store("first");
    arena.Adopt(other);
    EXPECT_EQ(std::string(kept, 4), "kept");
    EXPECT_EQ(arena.Used(), 9u);
}

// The second thread only has pages supplied: what the owner writes meanwhile, before and behind it, stays.
TEST(LargeBufferTest, FillingAheadLeavesWhatTheOwnerWrites) {
    constexpr std::size_t bytes = std::size_t{96} << 20;
    auto* data = static_cast<char*>(LargeBuffer::Map(bytes));
    const auto pattern = [](std::size_t i) { return static_cast<char>(i * 131 % 251 + 1); };
    for (std::size_t i = 0; i < bytes / 4; ++i)
        data[i] = pattern(i);
    {
        const TFillAhead ahead({{data, bytes}});
        for (std::size_t i = bytes / 4; i < bytes; ++i)
            data[i] = pattern(i);
    }
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < bytes; ++i)
        wrong += data[i] != pattern(i);
    EXPECT_EQ(wrong, 0u);
    LargeBuffer::Unmap(data, bytes);
}
