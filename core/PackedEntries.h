#pragma once

#include "core/KeyItem.h"
#include "core/LargeBuffer.h"
#include "core/TextArena.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TKeyItems;

// Entries kept out of a list, as an undo level keeps the rows a command removed: a word each instead of an
// entry's sixteen bytes (the text's address and length; word counts are counted again when asked), with
// the storage of their texts.
class TPackedEntries {
public:
    // Takes every entry of from, which this must not hold, with the storage of its texts; from is left
    // without entries. Fails only for want of memory, and then changes nothing.
    void Take(TKeyItems& from);
    // Forgets the entries and lets go of the storage.
    void Clear();
    void Swap(TPackedEntries& other) noexcept;

    bool Empty() const { return words_.empty(); }
    std::size_t Count() const { return words_.size(); }
    std::size_t Bytes() const;

private:
    friend class TKeyItems;

    // Entry k with its text where it is.
    TKeyItem Entry(std::size_t k) const;
    // Room for count more entries, added with Add before their texts are in this storage.
    void Reserve(std::size_t count);
    void Add(const TKeyItem& item);
    // Copies the texts of the entries into this storage.
    void StoreTexts(std::size_t bytes);
    // The word of an entry of the text at data, or Unpacked where it does not fit one.
    static std::uint64_t PackedWord(char* data, std::uint32_t size);
    // The word of an entry of the text at data, or of unpacked_'s next entry.
    std::uint64_t WordOf(char* data, std::uint32_t size);
    static TKeyItem Decode(std::uint64_t word, const std::vector<TKeyItem>& unpacked);

    static constexpr unsigned LengthBits = 17;
    // In the length's place: the entry is in unpacked_ at the index above it.
    static constexpr std::uint64_t Unpacked = (std::uint64_t{1} << LengthBits) - 1;

    TTextArena arena_;
    TLargeVector<std::uint64_t> words_;
    // Texts too long for the word, or stored at addresses above 2^47.
    std::vector<TKeyItem> unpacked_;
};
