#include "core/LargeBuffer.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t PageSize() {
    static const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return page;
}

std::size_t PageRounded(std::size_t bytes) {
    const std::size_t page = PageSize();
    return (bytes + page - 1) / page * page;
}

// What the process holds in memory now, as the system counts it; 0 where it does not tell.
std::size_t ResidentBytes() noexcept {
    const int file = open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return 0;
    char text[128];
    const ssize_t length = read(file, text, sizeof text - 1);
    close(file);
    if (length <= 0)
        return 0;
    text[length] = 0;
    // The second number: resident pages.
    const char* resident = std::strchr(text, ' ');
    const std::size_t page = PageSize();
    return resident ? std::strtoull(resident + 1, nullptr, 10) * page : 0;
}

// Fresh storage of size bytes, whole pages.
void* MapFresh(std::size_t size, LargeBuffer::TPaging paging) {
    // Only a whole, aligned huge page can be one: map a huge page more and give back the ends around an
    // aligned start. Storage for small pages starts there too, so that it can serve for huge pages when it
    // is reused.
    const std::size_t slack = size >= HugePage ? HugePage : 0;
    if (size + slack < size)
        throw std::bad_alloc();
    void* mapped = mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* const start = static_cast<char*>(mapped);
    if (slack == 0)
        return start;
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    char* const data = start + ((HugePage - address % HugePage) % HugePage);
    if (data > start)
        munmap(start, static_cast<std::size_t>(data - start));
    if (char* const end = start + size + slack; end > data + size)
        munmap(data + size, static_cast<std::size_t>(end - (data + size)));
#ifdef MADV_HUGEPAGE
    // Refused where the system has no huge pages to give: then the storage is simply small pages.
    if (paging == LargeBuffer::TPaging::Huge)
        madvise(data, size, MADV_HUGEPAGE);
#endif
    return data;
}

// Bytes of the pages in [data, data + size), whole pages, that are in memory.
std::size_t ResidentIn(char* data, std::size_t size) noexcept {
    const std::size_t page = PageSize();
    constexpr std::size_t Chunk = 4096;
    unsigned char present[Chunk];
    const std::size_t pages = size / page;
    std::size_t resident = 0;
    for (std::size_t first = 0; first < pages; first += Chunk) {
        const std::size_t count = std::min(Chunk, pages - first);
        if (mincore(data + first * page, count * page, present) != 0)
            return size;
        for (std::size_t k = 0; k < count; ++k)
            resident += present[k] & 1u;
    }
    return resident * page;
}

// The blocks freed while a reuse scope lasts, each a run of whole pages that nothing else holds. The rest of
// the process's memory (what is resident beside them, and what storage just handed out is about to add) is
// what it would hold without reuse; the blocks kept never make the whole more than the most that was since
// the outermost scope began: reuse never raises the peak.
class TStorage {
public:
    // Freeing never grows the list, so that it cannot fail.
    TStorage() { kept_.reserve(MostBlocks); }

    void Enter() {
        const std::lock_guard lock(mutex_);
        if (scopes_++ == 0)
            most_ = ResidentBytes();
    }

    void Leave(LargeBuffer::TKeptAfter after) {
        const std::lock_guard lock(mutex_);
        if (--scopes_ == 0 && after == LargeBuffer::TKeptAfter::Release)
            EvictAll();
    }

    void ReleaseKept() noexcept {
        const std::lock_guard lock(mutex_);
        if (scopes_ == 0)
            EvictAll();
    }

    // size bytes, whole pages: a kept block's start where one holds the size, else fresh storage, which
    // the largest kept block then begins.
    char* Map(std::size_t size, LargeBuffer::TPaging paging) {
        const std::optional<TBlock> block = Take(size);
        char* data = block ? block->Data : nullptr;
        if (block && block->Size == size) {
#ifdef MADV_HUGEPAGE
            if (paging == LargeBuffer::TPaging::Huge)
                madvise(data, size, MADV_HUGEPAGE);
#endif
        } else {
            try {
                data = static_cast<char*>(MapFresh(size, paging));
            } catch (...) {
                if (block)
                    munmap(block->Data, block->Size);
                throw;
            }
            if (block && mremap(block->Data, block->Size, block->Size, MREMAP_MAYMOVE | MREMAP_FIXED, data) ==
                             MAP_FAILED)
                munmap(block->Data, block->Size);
        }
        const std::lock_guard lock(mutex_);
        if (scopes_ > 0)
            Settle(size - (block ? block->Resident : 0));
        return data;
    }

    void Unmap(char* data, std::size_t size) noexcept {
        const std::lock_guard lock(mutex_);
        const std::size_t resident = scopes_ > 0 && size >= HugePage ? ResidentIn(data, size) : 0;
        if (resident < HugePage) {
            munmap(data, size);
            return;
        }
        if (kept_.size() == MostBlocks) {
            const auto smallest = std::min_element(kept_.begin(), kept_.end(), Smaller);
            if (smallest->Resident >= resident) {
                munmap(data, size);
                return;
            }
            Evict(smallest);
        }
        kept_.push_back({data, size, resident});
        keptResident_ += resident;
    }

    std::size_t KeptBytes() {
        const std::lock_guard lock(mutex_);
        return keptResident_;
    }

private:
    struct TBlock {
        char* Data;
        std::size_t Size;
        // Of the bytes, those in memory.
        std::size_t Resident;
    };
    using TBlocks = std::vector<TBlock>;
    // Enough for what one command frees between the steps that could use it.
    static constexpr std::size_t MostBlocks = 8;

    static bool Smaller(const TBlock& a, const TBlock& b) {
        return a.Resident < b.Resident;
    }

    // The smallest kept block that holds size bytes, cut to them, its rest from the next huge page on kept;
    // or else the largest kept block.
    std::optional<TBlock> Take(std::size_t size) {
        const std::lock_guard lock(mutex_);
        if (kept_.empty())
            return std::nullopt;
        auto chosen = std::max_element(kept_.begin(), kept_.end(),
                                       [](const TBlock& a, const TBlock& b) { return a.Size < b.Size; });
        for (auto it = kept_.begin(); it != kept_.end(); ++it)
            if (it->Size >= size && it->Size < chosen->Size)
                chosen = it;
        TBlock block = *chosen;
        kept_.erase(chosen);
        keptResident_ -= block.Resident;
        if (block.Size > size) {
            const auto end = reinterpret_cast<std::uintptr_t>(block.Data + size);
            char* const rest = block.Data + size + (HugePage - end % HugePage) % HugePage;
            char* const last = block.Data + block.Size;
            char* cut = last;
            if (rest < last && static_cast<std::size_t>(last - rest) >= HugePage) {
                const auto restSize = static_cast<std::size_t>(last - rest);
                kept_.push_back({rest, restSize, ResidentIn(rest, restSize)});
                keptResident_ += kept_.back().Resident;
                cut = rest;
            }
            if (cut > block.Data + size)
                munmap(block.Data + size, static_cast<std::size_t>(cut - (block.Data + size)));
            block.Size = size;
            block.Resident = ResidentIn(block.Data, size);
        }
        return block;
    }

    // Gives back kept blocks, the smallest first, until they fit beside the rest of the process's memory,
    // which fresh bytes just handed out are about to join.
    void Settle(std::size_t fresh) {
        const std::size_t resident = ResidentBytes();
        const std::size_t without = (resident > keptResident_ ? resident - keptResident_ : 0) + fresh;
        most_ = std::max(most_, without);
        while (!kept_.empty() && without + keptResident_ > most_)
            Evict(std::min_element(kept_.begin(), kept_.end(), Smaller));
    }

    void EvictAll() noexcept {
        for (const TBlock& block : kept_)
            munmap(block.Data, block.Size);
        kept_.clear();
        keptResident_ = 0;
    }

    void Evict(TBlocks::iterator block) {
        munmap(block->Data, block->Size);
        keptResident_ -= block->Resident;
        kept_.erase(block);
    }

    std::mutex mutex_;
    int scopes_ = 0;
    TBlocks kept_;
    std::size_t keptResident_ = 0;
    std::size_t most_ = 0;
};

// Never destroyed: storage may be freed while the program shuts down.
TStorage& Storage() {
    static auto* const storage = new TStorage;
    return *storage;
}

} // namespace

namespace LargeBuffer {

void* Map(std::size_t bytes, TPaging paging) {
    const std::size_t size = PageRounded(bytes);
    if (size < bytes)
        throw std::bad_alloc();
    return Storage().Map(size, paging);
}

void Unmap(void* data, std::size_t bytes) noexcept {
    if (data)
        Storage().Unmap(static_cast<char*>(data), PageRounded(bytes));
}

TReuseScope::TReuseScope(TKeptAfter after) : after_(after) {
    Storage().Enter();
}

TReuseScope::~TReuseScope() {
    Storage().Leave(after_);
}

void ReleaseKept() noexcept {
    Storage().ReleaseKept();
}

std::size_t KeptBytes() {
    return Storage().KeptBytes();
}

void Release(void* data, std::size_t bytes) noexcept {
    const std::uintptr_t page = PageSize();
    const auto start = PageRounded(reinterpret_cast<std::uintptr_t>(data));
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page;
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_DONTNEED);
}

void Populate(void* data, std::size_t bytes) noexcept {
    const std::uintptr_t page = PageSize();
    const auto start = reinterpret_cast<std::uintptr_t>(data) / page * page;
    const auto end = reinterpret_cast<std::uintptr_t>(data) + bytes;
    if (bytes > 0)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
}

} // namespace LargeBuffer
