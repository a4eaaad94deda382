#include "core/ListComparison.h"

#include "core/CaseFolding.h"
#include "core/TwoThreads.h"
#include "core/WholeWordSearch.h"

#include <array>
#include <bit>
#include <cstdint>
#include <utility>

namespace {

// Texts kept by folded hash, for asking whether a text equal ignoring case is among them. The texts stay
// where their lists keep them.
class TFoldedTextSet {
public:
    explicit TFoldedTextSet(std::size_t expected)
        : slots_(std::bit_ceil(expected * 2 + 16), Empty), mask_(slots_.size() - 1) {
        texts_.reserve(expected);
        hashes_.reserve(expected);
    }

    // Adds the text unless it holds an equal one; answers whether it did.
    bool Insert(std::string_view text) {
        const std::uint64_t hash = FoldedHash(text);
        std::size_t slot = Find(text, hash);
        if (slots_[slot] != Empty)
            return false;
        slots_[slot] = static_cast<std::uint32_t>(texts_.size());
        texts_.push_back(text);
        hashes_.push_back(hash);
        if (texts_.size() > slots_.size() / 2)
            Grow();
        return true;
    }

    bool Contains(std::string_view text) const { return slots_[Find(text, FoldedHash(text))] != Empty; }

private:
    static constexpr std::uint32_t Empty = 0xFFFFFFFF;

    // The slot of the equal text, or the empty slot where it would go.
    std::size_t Find(std::string_view text, std::uint64_t hash) const {
        for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
            const std::uint32_t k = slots_[slot];
            if (k == Empty || (hashes_[k] == hash && SameText(texts_[k], text)))
                return slot;
        }
    }

    void Grow() {
        TLargeVector<std::uint32_t>(slots_.size() * 2, Empty).swap(slots_);
        mask_ = slots_.size() - 1;
        for (std::uint32_t k = 0; k < texts_.size(); ++k) {
            std::size_t slot = hashes_[k] & mask_;
            while (slots_[slot] != Empty)
                slot = (slot + 1) & mask_;
            slots_[slot] = k;
        }
    }

    TLargeVector<std::uint32_t> slots_;
    std::size_t mask_;
    std::vector<std::string_view> texts_;
    std::vector<std::uint64_t> hashes_;
};

TFoldedTextSet TextsOf(const TKeyItems& list) {
    TFoldedTextSet set(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        set.Insert(list.GetKeyItem(i).Text());
    return set;
}

// The ascending indices of the entries for which picks(text, scratch) holds, on two threads where it pays;
// TScratch is per thread.
template <class TScratch, class TPicks> TIntList IndicesWhere(const TKeyItems& list, const TPicks& picks) {
    const auto count = static_cast<std::size_t>(list.Count());
    std::array<std::vector<std::int32_t>, 2> found;
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        TScratch scratch;
        for (std::size_t i = first; i < last; ++i)
            if (picks(list.GetKeyItem(static_cast<int>(i)).Text(), scratch))
                found[part].push_back(static_cast<std::int32_t>(i));
    });
    TIntList indices;
    indices.SetCapacity(static_cast<int>(found[0].size() + found[1].size()));
    for (const auto& part : found)
        for (const std::int32_t i : part)
            indices.Add(i);
    return indices;
}

struct TNoScratch {};

TIntList IndicesFoundIn(const TKeyItems& list, const TKeyItems& other, bool found) {
    const TFoldedTextSet set = TextsOf(other);
    return IndicesWhere<TNoScratch>(
        list, [&](std::string_view text, TNoScratch&) { return set.Contains(text) == found; });
}

TIntList IndicesHolding(const TKeyItems& list, const std::vector<std::string>& words) {
    const TWholeWordSearch search(words);
    if (search.Empty())
        return {};
    return IndicesWhere<TWholeWordSearch::TScratch>(
        list, [&](std::string_view text, TWholeWordSearch::TScratch& scratch) {
            return search.Holds(text, scratch);
        });
}

void Append(TIntList& to, const TIntList& indices) {
    for (const std::int32_t i : indices)
        to.Add(i);
}

} // namespace

int DeleteIndices(TKeyItems& list, TIntList indices) {
    // The list deletes what it highlights; its own highlight is put back afterwards, whatever happens.
    struct TRestore {
        TKeyItems& List;
        TIntList& Saved;
        ~TRestore() { std::swap(List.Highlighted, Saved); }
    };
    const int count = indices.Count();
    std::swap(list.Highlighted, indices);
    const TRestore restore{list, indices};
    list.DeleteHighlighted();
    return count;
}

void HighlightFoundIn(TKeyItems& list, const TKeyItems& other) {
    Append(list.Highlighted, IndicesFoundIn(list, other, true));
}

int DeleteFoundIn(TKeyItems& list, const TKeyItems& other) {
    return DeleteIndices(list, IndicesFoundIn(list, other, true));
}

int KeepOnlyFoundIn(TKeyItems& list, const TKeyItems& other) {
    return DeleteIndices(list, IndicesFoundIn(list, other, false));
}

int AddMissingFrom(TKeyItems& list, const TKeyItems& other) {
    if (&list == &other)
        return 0;
    TFoldedTextSet set = TextsOf(list);
    int added = 0;
    for (int i = 0; i < other.Count(); ++i) {
        const std::string_view text = other.GetKeyItem(i).Text();
        if (set.Insert(text)) {
            list.AddKeyword(text);
            ++added;
        }
    }
    return added;
}

int DeleteContainingWordsOf(TKeyItems& list, const TKeyItems& other) {
    std::vector<std::string> words;
    words.reserve(static_cast<std::size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i)
        words.emplace_back(other.GetKeyItem(i).Text());
    return DeleteIndices(list, IndicesHolding(list, words));
}

void HighlightHoldingWords(TKeyItems& list, const std::vector<std::string>& words) {
    Append(list.Highlighted, IndicesHolding(list, words));
}

void HighlightLongerThan(TKeyItems& list, std::size_t n) {
    Append(list.Highlighted, IndicesWhere<TNoScratch>(list, [&](std::string_view text, TNoScratch&) {
               return text.size() > n && Utf8::CountChars(text) > n;
           }));
}
