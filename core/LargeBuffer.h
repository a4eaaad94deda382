#pragma once

#include <cstddef>
#include <new>

// Storage for the big arrays of long lists straight from the system, on huge pages where the system gives
// them on request: random access over millions of entries then misses the address cache far less. Such
// storage goes back to the system as soon as it is freed, so a finished job leaves nothing behind in the
// heap.
namespace LargeBuffer {

// From this size on, storage is mapped; smaller blocks come from the heap as usual.
inline constexpr std::size_t MinimumSize = std::size_t{1} << 20;

// At least bytes of zeroed storage aligned to a huge page where it spans one; throws std::bad_alloc.
void* Map(std::size_t bytes);
// Gives back what Map returned for the same byte count.
void Unmap(void* data, std::size_t bytes) noexcept;

} // namespace LargeBuffer

// A standard allocator that maps blocks of LargeBuffer::MinimumSize and more, e.g.
// std::vector<TItem, TLargeAllocator<TItem>>.
template <class T> class TLargeAllocator {
public:
    using value_type = T;

    TLargeAllocator() noexcept = default;
    template <class U> TLargeAllocator(const TLargeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= LargeBuffer::MinimumSize)
            return static_cast<T*>(LargeBuffer::Map(bytes));
        return static_cast<T*>(::operator new (bytes, std::align_val_t{alignof(T)}));
    }

    void deallocate(T* data, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= LargeBuffer::MinimumSize)
            LargeBuffer::Unmap(data, bytes);
        else
            ::operator delete (data, bytes, std::align_val_t{alignof(T)});
    }

    template <class U> bool operator==(const TLargeAllocator<U>&) const noexcept { return true; }
};
