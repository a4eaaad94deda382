#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// Bump allocator for the texts of one keyword list: millions of short texts without a heap block each.
// Its blocks are mapped large buffers (on huge pages where the system offers them) that go straight back to
// the system once no arena holds them. Storage is released only as a whole; the list compacts it when too
// much of it is dead.
class TTextArena {
public:
    TTextArena() = default;
    TTextArena(const TTextArena&) = delete;
    TTextArena& operator=(const TTextArena&) = delete;
    ~TTextArena();

    // Room for size bytes; valid until Reset or the arena's destruction.
    char* Allocate(std::size_t size);
    char* Store(std::string_view text);
    void Release(std::size_t size) { dead_ += size; }
    void Reset();
    void Swap(TTextArena& other) noexcept;
    // Takes over the storage of other, whose texts then count as this arena's; other is left empty. The
    // texts stay where they are.
    void Adopt(TTextArena& other);
    // Holds the storage of other too, without taking it from other: texts stored there stay valid while
    // either arena holds it. Of it, bytes count as this arena's texts, the rest as dead.
    void Share(const TTextArena& other, std::size_t bytes);
    // Makes the next allocations come from one block of at least this size.
    void Reserve(std::size_t bytes);
    // Where the next allocations come from, and how many bytes are left there.
    std::pair<char*, std::size_t> Room() const { return {cursor_, left_}; }

    std::size_t Used() const { return used_; }
    std::size_t Dead() const { return dead_; }

private:
    // Unmapped when the last arena holding it lets it go.
    using TBlock = std::shared_ptr<char>;
    // A list filled entry by entry gets blocks that double from the first up to the last size.
    static constexpr std::size_t FirstBlockSize = std::size_t{1} << 20;
    static constexpr std::size_t LastBlockSize = std::size_t{64} << 20;

    void FreeBlocks() noexcept;

    std::vector<TBlock> blocks_;
    char* cursor_ = nullptr;
    std::size_t left_ = 0;
    std::size_t used_ = 0;
    std::size_t dead_ = 0;
};
