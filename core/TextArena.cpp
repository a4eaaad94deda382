#include "TextArena.h"

#include <algorithm>
#include <cstring>

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
    const std::size_t size = std::max(bytes, BlockSize);
    blocks_.emplace_back(new char[size]);
    cursor_ = blocks_.back().get();
    left_ = size;
}

void TTextArena::Reset() {
    blocks_.clear();
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
    for (auto& block : other.blocks_)
        blocks_.push_back(std::move(block));
    used_ += other.used_;
    dead_ += other.dead_;
    other.Reset();
}
