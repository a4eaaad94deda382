#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Bump allocator for the texts of one keyword list: millions of short texts without a heap block each.
// Storage is released only as a whole; the list compacts it when too much of it is dead.
class TTextArena {
public:
    TTextArena() = default;
    TTextArena(const TTextArena&) = delete;
    TTextArena& operator=(const TTextArena&) = delete;

    // Room for size bytes; valid until Reset or the arena's destruction.
    char* Allocate(std::size_t size);
    char* Store(std::string_view text);
    void Release(std::size_t size) { dead_ += size; }
    void Reset();
    void Swap(TTextArena& other) noexcept;
    // Takes over the storage of other, whose texts then count as this arena's; other is left empty. The
    // texts stay where they are.
    void Adopt(TTextArena& other);
    // Makes the next allocations come from one block of at least this size.
    void Reserve(std::size_t bytes);

    std::size_t Used() const { return used_; }
    std::size_t Dead() const { return dead_; }

private:
    static constexpr std::size_t BlockSize = 1 << 20;

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* cursor_ = nullptr;
    std::size_t left_ = 0;
    std::size_t used_ = 0;
    std::size_t dead_ = 0;
};
