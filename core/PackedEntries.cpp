#include "core/PackedEntries.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/TwoThreads.h"

#include <array>

void TPackedEntries::Take(TKeyItems& from) {
    if (!Empty())
        throw EListError("Entries can only be packed where there are none");
    const std::size_t n = from.items_.size();
    TLargeVector<std::uint64_t> words(n);
    std::array<bool, 2> unpacked{};
    InParts(n, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(n, part, parts);
        for (std::size_t k = first; k < last; ++k) {
            words[k] = PackedWord(from.items_[k].data_, from.items_[k].size_);
            unpacked[part] |= words[k] == Unpacked;
        }
    });
    std::vector<TKeyItem> kept;
    if (unpacked[0] || unpacked[1])
        for (std::size_t k = 0; k < n; ++k)
            if (words[k] == Unpacked) {
                words[k] = std::uint64_t{kept.size()} << LengthBits | Unpacked;
                kept.push_back(TKeyItem(from.items_[k].data_, from.items_[k].size_));
            }
    arena_.Adopt(from.arena_);
    words_.swap(words);
    unpacked_.swap(kept);
    from.items_ = TKeyItemStore();
}

void TPackedEntries::Clear() {
    words_ = TLargeVector<std::uint64_t>();
    unpacked_ = std::vector<TKeyItem>();
    arena_.Reset();
}

void TPackedEntries::Swap(TPackedEntries& other) noexcept {
    arena_.Swap(other.arena_);
    words_.swap(other.words_);
    unpacked_.swap(other.unpacked_);
}

void TPackedEntries::Reserve(std::size_t count) {
    words_.reserve(words_.size() + count);
}

std::uint64_t TPackedEntries::PackedWord(char* data, std::uint32_t size) {
    const auto address = reinterpret_cast<std::uintptr_t>(data);
    return size < Unpacked && address >> (64 - LengthBits) == 0 ? std::uint64_t{address} << LengthBits | size
                                                                : Unpacked;
}

std::uint64_t TPackedEntries::WordOf(char* data, std::uint32_t size) {
    if (const std::uint64_t word = PackedWord(data, size); word != Unpacked)
        return word;
    unpacked_.push_back(TKeyItem(data, size));
    return std::uint64_t{unpacked_.size() - 1} << LengthBits | Unpacked;
}

void TPackedEntries::Add(const TKeyItem& item) {
    words_.push_back(WordOf(item.data_, item.size_));
}

void TPackedEntries::StoreTexts(std::size_t bytes) {
    arena_.Reserve(bytes);
    std::vector<TKeyItem> unpacked;
    unpacked.swap(unpacked_);
    for (std::uint64_t& word : words_) {
        const TKeyItem item = Decode(word, unpacked);
        word = WordOf(arena_.Store(item.Text()), item.size_);
    }
}

std::size_t TPackedEntries::Bytes() const {
    return HeldBytes(words_) + unpacked_.capacity() * sizeof(TKeyItem) + arena_.Used();
}

TKeyItem TPackedEntries::Entry(std::size_t k) const {
    return Decode(words_[k], unpacked_);
}

TKeyItem TPackedEntries::Decode(std::uint64_t word, const std::vector<TKeyItem>& unpacked) {
    if ((word & Unpacked) == Unpacked) {
        const TKeyItem& item = unpacked[word >> LengthBits];
        return TKeyItem(item.data_, item.size_);
    }
    return TKeyItem(reinterpret_cast<char*>(word >> LengthBits), static_cast<std::uint32_t>(word & Unpacked));
}
