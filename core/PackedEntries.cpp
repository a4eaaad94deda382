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
            const TKeyItem& item = from.items_[k];
            const auto address = reinterpret_cast<std::uintptr_t>(item.data_);
            const bool fits = item.size_ < Unpacked && address >> (64 - LengthBits) == 0;
            words[k] = fits ? std::uint64_t{address} << LengthBits | item.size_ : Unpacked;
            unpacked[part] |= !fits;
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

std::size_t TPackedEntries::Bytes() const {
    return HeldBytes(words_) + unpacked_.capacity() * sizeof(TKeyItem) + arena_.Used();
}

TKeyItem TPackedEntries::Entry(std::size_t k) const {
    const std::uint64_t word = words_[k];
    if ((word & Unpacked) == Unpacked) {
        const TKeyItem& item = unpacked_[word >> LengthBits];
        return TKeyItem(item.data_, item.size_);
    }
    return TKeyItem(reinterpret_cast<char*>(word >> LengthBits), static_cast<std::uint32_t>(word & Unpacked));
}
