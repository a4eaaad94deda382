#include "core/KeyItem.h"

#include "core/Exceptions.h"
#include "core/WordRules.h"

#include <cstring>
#include <limits>

namespace {
std::uint32_t CheckedSize(std::string_view text) {
    if (text.size() > std::numeric_limits<std::uint32_t>::max())
        TKeyItem::TooLong(text.size());
    return static_cast<std::uint32_t>(text.size());
}
} // namespace

void TKeyItem::TooLong(std::size_t size) {
    throw Exception("Keyword text too long (" + std::to_string(size) + " bytes)");
}

TKeyItem::TKeyItem(TTextArena& arena, std::string_view text)
    : data_(arena.Store(text)), size_(CheckedSize(text)) {}

void TKeyItem::SetText(std::string_view text, TTextArena& arena) {
    if (text.size() <= size_) {
        arena.Release(PutOver(text));
        return;
    }
    const std::uint32_t size = CheckedSize(text);
    arena.Release(size_);
    data_ = arena.Store(text);
    size_ = size;
    wordCount_ = -1;
}

std::size_t TKeyItem::PutOver(std::string_view text) {
    if (text == Text())
        return 0;
    // The entry owns its bytes alone, so a text that fits is written over the old one.
    const std::size_t freed = size_ - text.size();
    std::memmove(data_, text.data(), text.size());
    size_ = static_cast<std::uint32_t>(text.size());
    wordCount_ = -1;
    return freed;
}

int TKeyItem::WordCount() const {
    if (wordCount_ < 0)
        wordCount_ = CountWords(Text());
    return wordCount_;
}
