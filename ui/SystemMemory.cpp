#include "ui/SystemMemory.h"

#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// MemAvailable of /proc/meminfo in bytes; 0 when it can't be read.
std::size_t AvailableMemory() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::size_t kilobytes = 0;
    std::string unit;
    while (meminfo >> key >> kilobytes >> unit)
        if (key == "MemAvailable:")
            return kilobytes * 1024;
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize)
                                     : 0;
}

} // namespace

std::size_t CommandMemoryBudget() {
    constexpr std::size_t Floor = std::size_t{64} << 20;
    const std::size_t available = AvailableMemory() / 2;
    return available > Floor ? available : Floor;
}
