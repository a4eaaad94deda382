#include "core/Progress.h"
#include "core/TwoThreads.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>

#if defined(__x86_64__)
#include <cpuid.h>

namespace {

// Whether the processor tells which register states are in use (XGETBV with ECX 1).
bool CanAskInUse() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__builtin_cpu_supports("avx") || !__get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx))
        return false;
    return (eax & 4) != 0;
}

bool UpperHalvesInUse() {
    unsigned low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & 4) != 0;
}

// What a library may leave behind: a 256-bit register with its upper half set, and no clearing after it
// (which the compiler would add to a function it builds for AVX).
void LeaveUpperHalvesInUse() {
    asm volatile("vpcmpeqd %%ymm0, %%ymm0, %%ymm0" ::: "xmm0");
}

class VectorStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CanAskInUse())
            GTEST_SKIP() << "the processor does not tell which registers are in use";
        LeaveUpperHalvesInUse();
        if (!UpperHalvesInUse())
            GTEST_SKIP() << "the upper halves could not be left in use";
    }
};

TEST_F(VectorStateTest, EveryPartOfAJobStartsWithCleanRegisters) {
    for (const unsigned parts : {1u, 2u}) {
        LeaveUpperHalvesInUse();
        std::array<std::atomic<bool>, 2> dirty{};
        RunParts(parts, [&](unsigned part, unsigned) { dirty[part] = UpperHalvesInUse(); });
        EXPECT_FALSE(dirty[0]) << parts << " parts";
        EXPECT_FALSE(dirty[1]) << parts << " parts";
    }
}

TEST_F(VectorStateTest, AnOperationStartsAndGoesOnAfterReportingWithCleanRegisters) {
    ProgressBegin(2);
    EXPECT_FALSE(UpperHalvesInUse()) << "without a progress";
    TProgress progress([](double) { LeaveUpperHalvesInUse(); });
    const TProgressScope scope(&progress);
    LeaveUpperHalvesInUse();
    ProgressBegin(2);
    EXPECT_FALSE(UpperHalvesInUse()) << "at the start";
    ProgressAdvance(1);
    EXPECT_FALSE(UpperHalvesInUse()) << "after reporting";
}

} // namespace
#endif
