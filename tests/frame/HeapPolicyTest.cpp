#include "frame/HeapPolicy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

long AnonymousKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("RssAnon:"))
            return std::stol(line.substr(8));
    return 0;
}

// A block of the heap, written so that its pages are there; the compiler may not leave it out.
void* Written(std::size_t megabytes) {
    void* block = std::malloc(megabytes << 20);
    std::memset(block, 1, megabytes << 20);
    asm volatile("" : : "r"(block) : "memory");
    return block;
}

// Blocks of a few megabytes, freed on a thread of their own after a larger one was: the heap keeps none of
// them.
TEST(HeapPolicyTest, FreedBlocksOfMegabytesGoBack) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the address sanitizer's heap holds freed blocks back on purpose";
#endif
    ReturnFreedHeapPromptly();
    std::thread([] {
        const long before = AnonymousKb();
        std::free(Written(24));
        for (int k = 0; k < 6; ++k) {
            void* blocks[] = {Written(3), Written(5), Written(6)};
            for (void* block : blocks)
                std::free(block);
        }
        EXPECT_LT(AnonymousKb() - before, 8 * 1024);
    }).join();
}

} // namespace
