#pragma once

#include "core/TextArena.h"

#include <cstdint>
#include <string>
#include <string_view>

// One entry of a keyword list: the phrase and its cached word count. Its text lives in the owning list's
// arena, so an entry is a small handle that the list can move and sort cheaply.
class TKeyItem {
public:
    TKeyItem(const TKeyItem&) = delete;
    TKeyItem& operator=(const TKeyItem&) = delete;
    TKeyItem(TKeyItem&&) noexcept = default;
    TKeyItem& operator=(TKeyItem&&) noexcept = default;

    std::string_view Text() const { return {data_, size_}; }
    // Stores text and forgets the word count, unless text equals the current text byte for byte.
    void SetText(std::string_view text);
    // SetText for a text no longer than the current one, without touching the list's storage: returns the
    // bytes that became free, for the list to account. Entries can be rewritten this way from several
    // threads at once.
    std::size_t PutOver(std::string_view text);
    // Counted on first request and cached until the text changes.
    int WordCount() const;
    // The cache as stored: -1 while not computed.
    int CachedWordCount() const { return wordCount_; }

private:
    friend class TKeyItems;
    TKeyItem(TTextArena& arena, std::string_view text);

    char* data_ = nullptr;
    std::uint32_t size_ = 0;
    mutable std::int32_t wordCount_ = -1;
    TTextArena* arena_ = nullptr;
};
