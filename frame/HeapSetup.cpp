#include "HeapSetup.h"

#include <cstdlib>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr const char* Tunables = "GLIBC_TUNABLES";
// Holds the tunables the program was started with, plus one character, so that an empty value is told
// from none.
constexpr const char* Restarted = "PT_STARTED_WITH_TUNABLES";

} // namespace

void KeepLargeBlocksOutOfTheHeap() {
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}

void StartWithLargeBlocksOnHugePages(char** argv) {
    if (const char* before = std::getenv(Restarted)) {
        const std::string original(before);
        if (original.empty())
            unsetenv(Tunables);
        else
            setenv(Tunables, original.c_str() + 1, 1);
        unsetenv(Restarted);
        return;
    }
    const char* current = std::getenv(Tunables);
    const std::string original = current ? current : "";
    if (original.find("glibc.malloc.hugetlb") != std::string::npos)
        return;
    setenv(Restarted, ((current ? "=" : "") + original).c_str(), 1);
    setenv(Tunables, (original.empty() ? "" : original + ":").append("glibc.malloc.hugetlb=1").c_str(), 1);
    execv("/proc/self/exe", argv);
    // Not restarted: go on as started.
    unsetenv(Restarted);
    if (current)
        setenv(Tunables, original.c_str(), 1);
    else
        unsetenv(Tunables);
}
#else
void KeepLargeBlocksOutOfTheHeap() {}
void StartWithLargeBlocksOnHugePages(char**) {}
#endif
