#include "core/TextArena.h"

#include "core/LargeBuffer.h"

#include <algorithm>
#include <cstring>

TTextArena::~TTextArena() {
    FreeBlocks();
}

char* TTextArena::Allocate(std::size_t size) {
    if (size == 0)
        return nullptr;
    if (size > left_)
        Reserve(size);
    char* result = cursor_;
    cursor_ += size;
    left_ -= size;
    used_ += size;
    return result;
}

char* TTextArena::Store(std::string_view text) {
    char* data = Allocate(text.size());
    if (data)
        std::memcpy(data, text.data(), text.size());
    return data;
}

void TTextArena::Reserve(std::size_t bytes) {
    if (bytes <= left_)
        return;
    const std::size_t grown = FirstBlockSize << std::min<std::size_t>(blocks_.size(), 6);
    const std::size_t size = std::max(bytes, std::min(grown, LastBlockSize));
    blocks_.reserve(blocks_.size() + 1);
    char* const data = static_cast<char*>(LargeBuffer::Map(size));
    blocks_.emplace_back(data, [size](char* block) { LargeBuffer::Unmap(block, size); });
    cursor_ = data;
    left_ = size;
}

void TTextArena::FreeBlocks() noexcept {
    blocks_.clear();
}

void TTextArena::Reset() {
    FreeBlocks();
    cursor_ = nullptr;
    left_ = used_ = dead_ = 0;
}

void TTextArena::Swap(TTextArena& other) noexcept {
    std::swap(blocks_, other.blocks_);
    std::swap(cursor_, other.cursor_);
    std::swap(left_, other.left_);
    std::swap(used_, other.used_);
    std::swap(dead_, other.dead_);
}

void TTextArena::Adopt(TTextArena& other) {
    blocks_.reserve(blocks_.size() + other.blocks_.size());
    blocks_.insert(blocks_.end(), other.blocks_.begin(), other.blocks_.end());
    used_ += other.used_;
    dead_ += other.dead_;
    other.blocks_.clear();
    other.Reset();
}

void TTextArena::Share(const TTextArena& other, std::size_t bytes) {
    blocks_.insert(blocks_.end(), other.blocks_.begin(), other.blocks_.end());
    used_ += other.used_;
    dead_ += other.used_ - bytes;
}
