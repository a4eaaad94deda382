#include "core/LargeBuffer.h"
#include "core/FillAhead.h"
#include "core/TextArena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
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

// Of the process's memory, kilobytes in memory: all of it, or only what no file backs (which the loading of
// the program's own code and data does not move).
long ResidentKb(const char* field = "VmRSS:") {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(field))
            return std::stol(line.substr(std::string_view(field).size()));
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

// Within a scope, storage freed serves later requests of any size: blocks handed out never overlap, keep
// what is written to them, and start on a huge page; nothing stays kept once the scope ends.
TEST(LargeBufferTest, StorageReusedWithinAScopeNeverOverlapsWhatIsHandedOut) {
    struct TLive {
        std::uint64_t* Data;
        std::size_t Bytes;
        std::uint64_t Mark;
    };
    constexpr std::size_t Page = 4096;
    const auto write = [](const TLive& block) {
        for (std::size_t offset = 0; offset < block.Bytes; offset += Page)
            block.Data[offset / 8] = block.Mark + offset;
    };
    const auto intact = [](const TLive& block) {
        for (std::size_t offset = 0; offset < block.Bytes; offset += Page)
            if (block.Data[offset / 8] != block.Mark + offset)
                return false;
        return true;
    };
    std::uint64_t state = 12345;
    const auto next = [&state](std::uint64_t bound) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return (state >> 33) % bound;
    };
    std::size_t reused = 0;
    {
        const LargeBuffer::TReuseScope scope;
        std::vector<TLive> live;
        for (std::uint64_t step = 1; step <= 300; ++step) {
            if (!live.empty() && next(2) == 0) {
                const std::size_t victim = next(live.size());
                LargeBuffer::Unmap(live[victim].Data, live[victim].Bytes);
                live.erase(live.begin() + static_cast<std::ptrdiff_t>(victim));
                continue;
            }
            const std::size_t bytes = (1 + next(24 << 8)) * Page / 2 + next(Page);
            const std::size_t keptBefore = LargeBuffer::KeptBytes();
            const auto paging = next(2) == 0 ? LargeBuffer::TPaging::Small : LargeBuffer::TPaging::Huge;
            auto* data = static_cast<std::uint64_t*>(LargeBuffer::Map(bytes, paging));
            reused += LargeBuffer::KeptBytes() < keptBefore;
            if (bytes >= (2u << 20)) {
                ASSERT_EQ(reinterpret_cast<std::uintptr_t>(data) % (2 << 20), 0u) << step;
            }
            live.push_back({data, bytes, step << 40});
            write(live.back());
            for (const TLive& block : live)
                ASSERT_TRUE(intact(block)) << step;
        }
        for (const TLive& block : live)
            LargeBuffer::Unmap(block.Data, block.Bytes);
    }
    EXPECT_GT(reused, 20u);
    EXPECT_EQ(LargeBuffer::KeptBytes(), 0u);
}

// Kept storage gives way where keeping it would make the process hold more than it did at its most.
TEST(LargeBufferTest, KeptStorageNeverRaisesThePeak) {
    constexpr std::size_t block = std::size_t{40} << 20;
    constexpr std::size_t larger = std::size_t{100} << 20;
    const auto touch = [](void* data, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; i += 4096)
            static_cast<char*>(data)[i] = 1;
    };
    const LargeBuffer::TReuseScope scope;
    [[maybe_unused]] const long base = ResidentKb("RssAnon:");
    void* first = LargeBuffer::Map(block);
    void* second = LargeBuffer::Map(block);
    touch(first, block);
    touch(second, block);
    LargeBuffer::Unmap(first, block);
    LargeBuffer::Unmap(second, block);
    EXPECT_GE(LargeBuffer::KeptBytes(), 2 * block - (4u << 20));
    // One kept block moves into the larger storage; the other would stand beside it above the peak.
    void* grown = LargeBuffer::Map(larger);
    touch(grown, larger);
    EXPECT_EQ(LargeBuffer::KeptBytes(), 0u);
#ifndef __SANITIZE_THREAD__
    // The larger storage and nothing beside it. The address sanitizer's shadow grows by an eighth of what
    // was written, and on some kernels the shadow of the storage that moved or went stays too: half again in
    // all, where a block kept beside the larger storage would still stand out (40 MB and its shadow). The
    // thread sanitizer's shadow is several times what was written, and stays after the storage goes.
#ifdef __SANITIZE_ADDRESS__
    constexpr long allowed = larger / 1024 * 3 / 2;
#else
    constexpr long allowed = larger / 1024;
#endif
    EXPECT_LE(ResidentKb("RssAnon:") - base, allowed + 4096);
#endif
    LargeBuffer::Unmap(grown, larger);
}

// Storage that a lingering scope leaves kept serves the next scope, and goes back only when released while
// no scope lives.
TEST(LargeBufferTest, StorageLingersAfterALingeringScopeUntilReleased) {
    constexpr std::size_t bytes = std::size_t{8} << 20;
    void* first = nullptr;
    {
        const LargeBuffer::TReuseScope scope(LargeBuffer::TKeptAfter::Linger);
        first = LargeBuffer::Map(bytes);
        std::memset(first, 1, bytes);
        LargeBuffer::Unmap(first, bytes);
    }
    EXPECT_GE(LargeBuffer::KeptBytes(), bytes);
    {
        const LargeBuffer::TReuseScope scope(LargeBuffer::TKeptAfter::Linger);
        void* again = LargeBuffer::Map(bytes);
        EXPECT_EQ(again, first);
        LargeBuffer::Unmap(again, bytes);
        LargeBuffer::ReleaseKept();
        EXPECT_GE(LargeBuffer::KeptBytes(), bytes);
    }
    LargeBuffer::ReleaseKept();
    EXPECT_EQ(LargeBuffer::KeptBytes(), 0u);
}
