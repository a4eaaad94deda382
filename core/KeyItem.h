#pragma once

#include "core/TextArena.h"

#include <cstdint>
#include <string>
#include <string_view>

// One entry of a keyword list: the phrase and its cached word count. Its text lives in the owning list's
// arena, so an entry is a small handle that the list can move and sort cheaply.
class TKeyItem {
public:
    // An empty text: room that a list fills by moving entries into it.
    TKeyItem() = default;
    TKeyItem(const TKeyItem&) = delete;
    TKeyItem& operator=(const TKeyItem&) = delete;
    TKeyItem(TKeyItem&&) noexcept = default;
    TKeyItem& operator=(TKeyItem&&) noexcept = default;

    std::string_view Text() const { return {data_, size_}; }
    // Stores text in arena, the list's, and forgets the word count, unless text equals the current text
    // byte for byte.
    void SetText(std::string_view text, TTextArena& arena);
    // SetText for a text no longer than the current one, without touching the list's storage: returns the
    // bytes that became free, for the list to account. Entries can be rewritten this way from several
    // threads at once.
    std::size_t PutOver(std::string_view text);
    // Counted on first request and cached until the text changes.
    int WordCount() const;
    // The cache as stored: -1 while not computed.
    int CachedWordCount() const { return wordCount_; }
    // Raises the error of a text too long for an entry.
    [[noreturn, gnu::cold]] static void TooLong(std::size_t size);
    // An entry of a text already in its list's storage; empty texts have no address.
    static TKeyItem Stored(char* data, std::size_t size) {
        if (size > UINT32_MAX) [[unlikely]]
            TooLong(size);
        return {size == 0 ? nullptr : data, static_cast<std::uint32_t>(size)};
    }

private:
    friend class TKeyItems;
    friend class TPackedEntries;
    TKeyItem(TTextArena& arena, std::string_view text);
    // An entry of a text already stored.
    TKeyItem(char* data, std::uint32_t size) : data_(data), size_(size) {}

    // Sixteen bytes, with nothing that the list knows already: lists of a hundred million entries and more
    // are made of these.
    char* data_ = nullptr;
    std::uint32_t size_ = 0;
    mutable std::int32_t wordCount_ = -1;
};
static_assert(sizeof(TKeyItem) == 16);

// An entry of a list together with the list's text storage, as the list hands it out: it reads as the
// entry and can change its text.
class TKeyItemRef {
public:
    TKeyItemRef(TKeyItem& item, TTextArena& arena) : item_(item), arena_(arena) {}

    std::string_view Text() const { return item_.Text(); }
    void SetText(std::string_view text) { item_.SetText(text, arena_); }
    std::size_t PutOver(std::string_view text) { return item_.PutOver(text); }
    int WordCount() const { return item_.WordCount(); }
    int CachedWordCount() const { return item_.CachedWordCount(); }

private:
    TKeyItem& item_;
    TTextArena& arena_;
};
