#include "core/KeyItems.h"

#include "core/CheckpointTrail.h"
#include "core/Clipboard.h"
#include "core/Exceptions.h"
#include "core/KeywordFile.h"
#include "core/TwoThreads.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

TKeyItemRef TKeyItems::GetKeyItem(int index) {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return {items_[static_cast<std::size_t>(index)], arena_};
}

const TKeyItem& TKeyItems::GetKeyItem(int index) const {
    if (index < 0 || index >= Count())
        RaiseListIndexError(index);
    return items_[static_cast<std::size_t>(index)];
}

TKeyItemRef TKeyItems::AddKeyword(std::string_view text) {
    if (items_.size() >= static_cast<std::size_t>(INT32_MAX))
        throw EListError("Too many keywords in one list");
    return {items_.emplace_back(TKeyItem(arena_, text)), arena_};
}

void TKeyItems::Reserve(std::size_t entries, std::size_t textBytes) {
    items_.reserve(items_.size() + entries);
    arena_.Reserve(textBytes);
}

char* TKeyItems::TextRoom(std::size_t bytes) {
    arena_.Reserve(bytes);
    return arena_.Room().first;
}

TKeyItem* TKeyItems::AppendEmpty(std::size_t count) {
    if (items_.size() + count > static_cast<std::size_t>(INT32_MAX))
        throw EListError("Too many keywords in one list");
    ReserveAtEnd(count);
    items_.resize(items_.size() + count);
    return items_.data() + items_.size() - count;
}

void TKeyItems::ReserveAtEnd(std::size_t count) {
    items_.reserve(items_.size() + count);
    // The room is fresh storage: its pages come on both threads at once, and filling it then only writes.
    auto* const room = reinterpret_cast<char*>(items_.data() + items_.size());
    const std::size_t bytes = count * sizeof(TKeyItem);
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(bytes, part, parts);
        LargeBuffer::Populate(room + first, last - first);
    });
}

TFillAhead TKeyItems::ReserveToFill(std::size_t entries, std::size_t textBytes) {
    Reserve(entries, textBytes);
    auto* const entriesEnd = reinterpret_cast<char*>(items_.data() + items_.size());
    return TFillAhead({{entriesEnd, (items_.capacity() - items_.size()) * sizeof(TKeyItem)}, arena_.Room()});
}

void TKeyItems::Clear() {
    if (ClearedInto)
        SwapEntries(*std::exchange(ClearedInto, nullptr));
    items_.clear();
    items_.shrink_to_fit();
    arena_.Reset();
}

void TKeyItems::DeleteHighlighted() {
    // Deleting from the highest index down keeps the lower indices valid; for ascending unique indices the
    // same result comes from one compacting pass instead of a quadratic series of removals.
    if (Highlighted.StrictlyAscending())
        DeleteAscending();
    else
        DeleteOneByOne();
    // A list that lost most of its entries gives back the room they took, as it gives back their texts;
    // the texts first, so that the two copies are never made at once.
    CompactIfWasteful();
    GiveBackSpare(items_);
}

template <class TTake> void TKeyItems::TakeAscending(TTake take) {
    const int n = Highlighted.Count();
    if (n == 0)
        return;
    const std::int32_t* indices = Highlighted.begin();
    if (indices[n - 1] >= Count())
        RaiseListIndexError(indices[n - 1]);
    const int firstValid = static_cast<int>(std::lower_bound(indices, indices + n, 0) - indices);
    if (firstValid == n)
        RaiseListIndexError(indices[n - 1]);
    auto write = static_cast<std::size_t>(indices[firstValid]);
    std::size_t read = write;
    for (int k = firstValid; k < n; ++k) {
        const auto skip = static_cast<std::size_t>(indices[k]);
        for (; read < skip; ++read)
            items_[write++] = std::move(items_[read]);
        take(std::move(items_[read]));
        ++read;
    }
    for (; read < items_.size(); ++read)
        items_[write++] = std::move(items_[read]);
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(write), items_.end());
    if (firstValid > 0)
        RaiseListIndexError(indices[firstValid - 1]);
}

void TKeyItems::DeleteAscending() {
    TakeAscending([this](TKeyItem&& item) { arena_.Release(item.size_); });
}

void TKeyItems::TakeHighlighted(TRemovedRows& removed) {
    // Both only read the rows, and on a long list each takes tens of milliseconds: side by side.
    RunParts(PartsFor(static_cast<std::size_t>(Highlighted.Count())), [&](unsigned part, unsigned parts) {
        if (parts == 1 || part == 0)
            removed.Rows =
                TKeptRows::OfRows(Highlighted.begin(), static_cast<std::size_t>(Highlighted.Count()));
        if (parts == 1 || part == 1)
            MoveHighlightedTo(removed.Entries);
    });
}

void TKeyItems::MoveHighlightedTo(TPackedEntries& into) {
    if (!Highlighted.StrictlyAscending() || !into.Empty())
        throw EListError("Only ascending rows can be taken into an empty list");
    into.Reserve(static_cast<std::size_t>(Highlighted.Count()));
    std::size_t takenBytes = 0;
    TakeAscending([&](TKeyItem&& item) {
        takenBytes += item.size_;
        into.Add(item);
    });
    const std::size_t kept = arena_.Used() - arena_.Dead() - takenBytes;
    if (takenBytes >= (1u << 20) && takenBytes >= kept / 2) {
        // Copying either the taken or the kept texts would cost a pass over many of them: both hold the
        // storage instead, which stays as long as either does, and the taken texts count as dead here.
        into.arena_.Share(arena_, takenBytes);
    } else {
        into.StoreTexts(takenBytes);
    }
    arena_.Release(takenBytes);
    GiveBackSpare(items_);
}

void TKeyItems::DeleteOneByOne() {
    for (int k = Highlighted.Count() - 1; k >= 0; --k) {
        const int index = Highlighted.Items(k);
        if (index < 0 || index >= Count())
            RaiseListIndexError(index);
        arena_.Release(items_[static_cast<std::size_t>(index)].size_);
        items_.erase(items_.begin() + index);
    }
}

void TKeyItems::SwapEntries(TKeyItems& other) noexcept {
    items_.swap(other.items_);
    arena_.Swap(other.arena_);
}

void TKeyItems::TakeEntries(TKeyItems& other) {
    if (items_.size() + other.items_.size() > static_cast<std::size_t>(INT32_MAX))
        throw EListError("Too many keywords in one list");
    ReserveAtEnd(other.items_.size());
    arena_.Adopt(other.arena_);
    for (auto& item : other.items_)
        items_.push_back(std::move(item));
    other.items_.clear();
}

void TKeyItems::CompactIfWasteful() {
    const std::size_t dead = arena_.Dead();
    if (dead >= (1u << 20) && dead >= arena_.Used() / 2)
        Compact();
}

void TKeyItems::Compact() {
    TTextArena fresh;
    PackTexts(items_, items_, fresh);
    arena_.Swap(fresh);
}

void TKeyItems::PackTexts(const TKeyItemStore& source, TKeyItemStore& target, TTextArena& arena) {
    const std::size_t n = source.size();
    std::array<std::size_t, 2> sums{};
    InParts(n, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(n, part, parts);
        std::size_t sum = 0;
        for (std::size_t i = first; i < last; ++i)
            sum += source[i].size_;
        sums[part] = sum;
    });
    const std::size_t bytes = sums[0] + sums[1];
    arena.Reserve(bytes);
    char* const base = arena.Allocate(bytes);
    // The texts may lie anywhere: asking for some ahead lets their cache misses overlap. On a long list each
    // half is copied by a thread of its own, the first half's texts from the block's start on and the
    // second half's back from its end, so that neither needs the other's size.
    const auto copy = [&](std::size_t i, std::size_t offset) {
        const TKeyItem& from = source[i];
        if (from.size_ > 0)
            std::memcpy(base + offset, from.data_, from.size_);
        target[i].data_ = from.size_ > 0 ? base + offset : nullptr;
    };
    constexpr std::size_t Ahead = 16;
    InParts(n, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(n, part, parts);
        if (part == 0) {
            std::size_t offset = 0;
            for (std::size_t i = first; i < last; ++i) {
                if (i + Ahead < last)
                    __builtin_prefetch(source[i + Ahead].data_);
                copy(i, offset);
                offset += source[i].size_;
            }
            return;
        }
        std::size_t end = bytes;
        for (std::size_t i = last; i-- > first;) {
            if (i >= first + Ahead)
                __builtin_prefetch(source[i - Ahead].data_);
            end -= source[i].size_;
            copy(i, end);
        }
    });
}

std::vector<std::string_view> TKeyItems::AllTexts() const {
    std::vector<std::string_view> texts;
    texts.reserve(items_.size());
    for (const auto& item : items_)
        texts.push_back(item.Text());
    return texts;
}

std::vector<std::string_view> TKeyItems::HighlightedTexts() const {
    std::vector<std::string_view> texts;
    texts.reserve(static_cast<std::size_t>(Highlighted.Count()));
    for (int index : Highlighted)
        texts.push_back(GetKeyItem(index).Text());
    return texts;
}
