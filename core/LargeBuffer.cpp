#include "core/LargeBuffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t PageRounded(std::size_t bytes) {
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

} // namespace

namespace LargeBuffer {

void* Map(std::size_t bytes, TPaging paging) {
    const std::size_t size = PageRounded(bytes);
    if (size < bytes)
        throw std::bad_alloc();
    // Only a whole, aligned huge page can be one: map a huge page more and give back the ends around an
    // aligned start.
    const std::size_t slack = paging == TPaging::Huge && size >= HugePage ? HugePage : 0;
    if (size + slack < size)
        throw std::bad_alloc();
    void* mapped = mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* const start = static_cast<char*>(mapped);
    char* data = start;
    if (slack > 0) {
        const auto address = reinterpret_cast<std::uintptr_t>(start);
        data = start + ((HugePage - address % HugePage) % HugePage);
        if (data > start)
            munmap(start, static_cast<std::size_t>(data - start));
        if (char* const end = start + size + slack; end > data + size)
            munmap(data + size, static_cast<std::size_t>(end - (data + size)));
#ifdef MADV_HUGEPAGE
        // Refused where the system has no huge pages to give: then the storage is simply small pages.
        madvise(data, size, MADV_HUGEPAGE);
#endif
    }
    return data;
}

void Unmap(void* data, std::size_t bytes) noexcept {
    if (data)
        munmap(data, PageRounded(bytes));
}

void Release(void* data, std::size_t bytes) noexcept {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = PageRounded(reinterpret_cast<std::uintptr_t>(data));
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
}

void Populate(void* data, std::size_t bytes) noexcept {
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(data) + bytes;
    if (bytes > 0)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

} // namespace LargeBuffer
