#pragma once

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// Storage for the big arrays of long lists straight from the system, on huge pages where the system gives
// them on request: random access over millions of entries then misses the address cache far less. Such
// storage goes back to the system once freed, or once the command that freed it has ended, so a finished
// job leaves nothing behind in the heap.
namespace LargeBuffer {

// From this size on, storage is mapped; smaller blocks come from the heap as usual.
inline constexpr std::size_t MinimumSize = std::size_t{1} << 20;
inline bool IsMapped(std::size_t bytes) {
    return bytes >= MinimumSize;
}

// Huge pages suit storage that is read at random. Storage written once in scattered order and then read in
// order gains nothing from them, and on virtual machines fresh huge pages can take several times as long to
// come as small ones.
enum class TPaging { Huge, Small };

// At least bytes of storage, aligned to a huge page where it spans one; throws std::bad_alloc. Fresh
// storage reads as zeros; storage that a reuse scope kept holds what it held.
void* Map(std::size_t bytes, TPaging paging = TPaging::Huge);
// Gives back what Map returned for the same byte count, or keeps it for the next Map while a reuse scope
// lasts.
void Unmap(void* data, std::size_t bytes) noexcept;

// What becomes of the storage still kept when the last reuse scope ends: it goes back to the system, or it
// stays for the next scope until ReleaseKept.
enum class TKeptAfter { Release, Linger };

// While one lives, storage freed stays mapped for the storage asked for next: one step of a command often
// frees about as much as the next step needs, and pages that are there already cost nothing, where fresh
// ones must be cleared by the system (on a virtual machine, the dearest part of new memory). Storage is kept
// only while the process holds no more than it did at its most since the scope began (counting what stayed
// kept before it).
class TReuseScope {
public:
    explicit TReuseScope(TKeptAfter after = TKeptAfter::Release);
    ~TReuseScope();
    TReuseScope(const TReuseScope&) = delete;
    TReuseScope& operator=(const TReuseScope&) = delete;

private:
    TKeptAfter after_;
};
// The bytes kept for reuse now, in memory.
std::size_t KeptBytes();
// Gives back what scopes left kept, unless a scope lives.
void ReleaseKept() noexcept;

// Gives the system back the pages that lie wholly inside the mapped bytes at data, which read as zeros
// afterwards.
void Release(void* data, std::size_t bytes) noexcept;
// Has the system supply the pages of mapped storage that are not there yet, writable, without changing what
// they hold; does nothing where the system cannot.
void Populate(void* data, std::size_t bytes) noexcept;

} // namespace LargeBuffer

// A standard allocator that maps blocks of LargeBuffer::MinimumSize and more, e.g.
// std::vector<TItem, TLargeAllocator<TItem>>.
template <class T> class TLargeAllocator {
public:
    using value_type = T;

    TLargeAllocator() noexcept = default;
    template <class U> TLargeAllocator(const TLargeAllocator<U>&) noexcept {}

    T* allocate(std::size_t n, LargeBuffer::TPaging paging = LargeBuffer::TPaging::Huge) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        const std::size_t bytes = n * sizeof(T);
        if (LargeBuffer::IsMapped(bytes))
            return static_cast<T*>(LargeBuffer::Map(bytes, paging));
        return static_cast<T*>(::operator new (bytes, std::align_val_t{alignof(T)}));
    }

    void deallocate(T* data, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (LargeBuffer::IsMapped(bytes))
            LargeBuffer::Unmap(data, bytes);
        else
            ::operator delete (data, bytes, std::align_val_t{alignof(T)});
    }

    template <class U> bool operator==(const TLargeAllocator<U>&) const noexcept { return true; }
};

template <class T> using TLargeVector = std::vector<T, TLargeAllocator<T>>;

// The memory a vector holds: mapped room beyond its elements takes pages only once they are written, and
// GiveBackSpare returns them.
template <class T> std::size_t HeldBytes(const TLargeVector<T>& vector) {
    const std::size_t room = vector.capacity() * sizeof(T);
    return LargeBuffer::IsMapped(room) ? vector.size() * sizeof(T) : room;
}

// Gives back the room beyond the elements of a vector that lost most of them. Mapped storage keeps its place
// and gives its pages back, which copies nothing; the pages come back as the vector grows into them again.
template <class T> void GiveBackSpare(TLargeVector<T>& vector) {
    const std::size_t used = vector.size() * sizeof(T);
    const std::size_t room = vector.capacity() * sizeof(T);
    if (LargeBuffer::IsMapped(room))
        LargeBuffer::Release(reinterpret_cast<char*>(vector.data()) + used, room - used);
    else if (vector.size() < vector.capacity() / 2)
        vector.shrink_to_fit();
}

// A fixed array of plain elements in such storage, left as it comes: every element is written before it is
// read, so nothing is spent on clearing it.
template <class T> class TLargeArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

public:
    TLargeArray() = default;
    explicit TLargeArray(std::size_t size, LargeBuffer::TPaging paging = LargeBuffer::TPaging::Huge)
        : data_(TLargeAllocator<T>().allocate(size, paging)), size_(size) {}
    TLargeArray(TLargeArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    TLargeArray& operator=(TLargeArray&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    TLargeArray(const TLargeArray&) = delete;
    TLargeArray& operator=(const TLargeArray&) = delete;
    ~TLargeArray() {
        if (data_)
            TLargeAllocator<T>().deallocate(data_, size_);
    }

    T* get() const { return data_; }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t index) const { return data_[index]; }

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};
