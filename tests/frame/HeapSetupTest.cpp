#include "HeapSetup.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

const char* Tunables() {
    return std::getenv("GLIBC_TUNABLES");
}

// The restarted program gets back the environment it was first started with; a program that already runs
// with the setting starts no second time (the test would not come back if it did).
TEST(HeapSetup, RestartedProgramGetsItsOwnEnvironmentBack) {
#if !defined(__GLIBC__)
    GTEST_SKIP() << "only the GNU C library has the setting";
#endif
    setenv("PT_STARTED_WITH_TUNABLES", "=glibc.malloc.check=0", 1);
    setenv("GLIBC_TUNABLES", "glibc.malloc.check=0:glibc.malloc.hugetlb=1", 1);
    StartWithLargeBlocksOnHugePages(nullptr);
    ASSERT_NE(Tunables(), nullptr);
    EXPECT_EQ(std::string(Tunables()), "glibc.malloc.check=0");
    EXPECT_EQ(std::getenv("PT_STARTED_WITH_TUNABLES"), nullptr);

    setenv("PT_STARTED_WITH_TUNABLES", "", 1);
    setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=1", 1);
    StartWithLargeBlocksOnHugePages(nullptr);
    EXPECT_EQ(Tunables(), nullptr);

    setenv("GLIBC_TUNABLES", "glibc.malloc.hugetlb=0", 1);
    StartWithLargeBlocksOnHugePages(nullptr);
    EXPECT_EQ(std::string(Tunables()), "glibc.malloc.hugetlb=0");
    EXPECT_EQ(std::getenv("PT_STARTED_WITH_TUNABLES"), nullptr);
    unsetenv("GLIBC_TUNABLES");
}

} // namespace
