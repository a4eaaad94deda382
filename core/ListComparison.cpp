#include "core/ListComparison.h"

#include "core/CaseFolding.h"
#include "core/TwoThreads.h"
#include "core/WholeWordSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

// Texts kept by folded hash, for asking whether a text equal ignoring case is among them. The texts stay
// where their list keeps them. A slot holds the upper half of a text's hash beside the text's number, so
// that a lookup that misses reads one slot and nothing else.
class TFoldedTextSet {
public:
    explicit TFoldedTextSet(std::size_t capacity)
        : slots_(std::bit_ceil(capacity * 2 + 16), Empty), mask_(slots_.size() - 1) {
        texts_.reserve(capacity);
    }

    // Adds the text unless it holds an equal one, up to the capacity; answers whether it did.
    bool Insert(std::string_view text) {
        const std::uint64_t hash = FoldedHash(text);
        const std::size_t slot = Find(text, hash);
        if (slots_[slot] != Empty)
            return false;
        slots_[slot] = (hash & ~std::uint64_t{0xFFFFFFFF}) | texts_.size();
        texts_.push_back(text);
        return true;
    }

    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

    // The number of the held text equal to the text of that hash, in the order they came in; -1 if none.
    std::int32_t IndexOf(std::string_view text, std::uint64_t hash) const {
        const std::uint64_t slot = slots_[Find(text, hash)];
        return slot == Empty ? -1 : static_cast<std::int32_t>(slot & 0xFFFFFFFF);
    }

    std::size_t Size() const { return texts_.size(); }

private:
    static constexpr std::uint64_t Empty = ~std::uint64_t{0};

    // The slot of the equal text, or the empty slot where it would go.
    std::size_t Find(std::string_view text, std::uint64_t hash) const {
        for (std::size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
            const std::uint64_t held = slots_[slot];
            if (held == Empty || ((held ^ hash) >> 32 == 0 && SameText(texts_[held & 0xFFFFFFFF], text)))
                return slot;
        }
    }

    TLargeVector<std::uint64_t> slots_;
    std::size_t mask_;
    std::vector<std::string_view> texts_;
};

TFoldedTextSet TextsOf(const TKeyItems& list) {
    TFoldedTextSet set(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        set.Insert(list.GetKeyItem(i).Text());
    return set;
}

// One byte per entry of a list, 1 for the entries picked, and how many they are.
struct TMarks {
    TLargeArray<std::uint8_t> Of;
    std::size_t Count = 0;
};

// Marks the entries for which picks(first, last, marks) marks them, on two threads where it pays; picks
// marks the entries [first, last) and answers how many it picked.
template <class TPicks> TMarks MarksWhere(const TKeyItems& list, const TPicks& picks) {
    const auto count = static_cast<std::size_t>(list.Count());
    TMarks marks{TLargeArray<std::uint8_t>(count)};
    std::array<std::size_t, 2> picked{};
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        picked[part] = picks(first, last, marks.Of.get());
    });
    marks.Count = picked[0] + picked[1];
    return marks;
}

// For each entry of list in [first, last), the number in set of its equal text, or -1, to at(i, number).
template <class TAt>
void LookUp(const TKeyItems& list, const TFoldedTextSet& set, std::size_t first, std::size_t last, TAt&& at) {
    // Hashing a batch before looking any of it up lets the slots' cache misses overlap.
    constexpr std::size_t Batch = 16;
    std::array<std::uint64_t, Batch> hashes;
    for (std::size_t from = first; from < last; from += Batch) {
        const std::size_t n = std::min(Batch, last - from);
        for (std::size_t k = 0; k < n; ++k) {
            hashes[k] = FoldedHash(list.GetKeyItem(static_cast<int>(from + k)).Text());
            set.Prefetch(hashes[k]);
        }
        for (std::size_t k = 0; k < n; ++k)
            at(from + k, set.IndexOf(list.GetKeyItem(static_cast<int>(from + k)).Text(), hashes[k]));
    }
}

TMarks MarksFoundIn(const TKeyItems& list, const TKeyItems& other) {
    const TFoldedTextSet set = TextsOf(other);
    return MarksWhere(list, [&](std::size_t first, std::size_t last, std::uint8_t* marks) {
        std::size_t picked = 0;
        LookUp(list, set, first, last, [&](std::size_t i, std::int32_t number) {
            marks[i] = number >= 0;
            picked += number >= 0;
        });
        return picked;
    });
}

TMarks MarksHolding(const TKeyItems& list, const std::vector<std::string_view>& words) {
    const TWholeWordSearch search(words);
    if (search.Empty())
        return MarksWhere(list, [](std::size_t first, std::size_t last, std::uint8_t* marks) {
            std::fill(marks + first, marks + last, 0);
            return std::size_t{0};
        });
    return MarksWhere(list, [&](std::size_t first, std::size_t last, std::uint8_t* marks) {
        TWholeWordSearch::TScratch scratch;
        std::size_t picked = 0;
        for (std::size_t i = first; i < last; ++i) {
            marks[i] = search.Holds(list.GetKeyItem(static_cast<int>(i)).Text(), scratch);
            picked += marks[i];
        }
        return picked;
    });
}

// The ascending indices of the entries marked as mark says; eight marks without one are passed over at
// once.
std::vector<std::int32_t> MarkedIndices(const TMarks& marks, std::size_t count, bool mark) {
    std::vector<std::int32_t> indices;
    indices.reserve(mark ? marks.Count : count - marks.Count);
    const std::uint64_t other = mark ? 0 : 0x0101010101010101ULL;
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, marks.Of.get() + i, 8);
        if (eight == other)
            continue;
        for (std::size_t k = i; k < i + 8; ++k)
            if (marks.Of[k] == mark)
                indices.push_back(static_cast<std::int32_t>(k));
    }
    for (; i < count; ++i)
        if (marks.Of[i] == mark)
            indices.push_back(static_cast<std::int32_t>(i));
    return indices;
}

// Deletes the entries marked as mark says; returns how many. When most go, what stays is copied into fresh
// storage instead, which touches only that.
int DeleteMarked(TKeyItems& list, const TMarks& marks, bool mark) {
    const auto count = static_cast<std::size_t>(list.Count());
    const std::size_t going = mark ? marks.Count : count - marks.Count;
    if (going <= count / 2) {
        const std::vector<std::int32_t> gone = MarkedIndices(marks, count, mark);
        TIntList indices;
        indices.SetCapacity(static_cast<int>(gone.size()));
        for (const std::int32_t i : gone)
            indices.Add(i);
        return DeleteIndices(list, std::move(indices));
    }
    // What stays lies scattered: its entries, and then their texts, are asked for ahead, so that the cache
    // misses overlap.
    constexpr std::size_t Ahead = 16;
    const TKeyItems& source = list;
    const std::vector<std::int32_t> staying = MarkedIndices(marks, count, !mark);
    std::vector<std::string_view> texts;
    texts.reserve(staying.size());
    std::size_t bytes = 0;
    for (std::size_t k = 0; k < staying.size(); ++k) {
        if (k + Ahead < staying.size())
            __builtin_prefetch(&source.GetKeyItem(staying[k + Ahead]));
        texts.push_back(source.GetKeyItem(staying[k]).Text());
        bytes += texts.back().size();
    }
    TKeyItems kept;
    kept.Reserve(texts.size(), bytes);
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (k + Ahead < texts.size())
            __builtin_prefetch(texts[k + Ahead].data());
        kept.AddKeyword(texts[k]);
    }
    list.SwapEntries(kept);
    return static_cast<int>(going);
}

void HighlightMarked(TKeyItems& list, const TMarks& marks) {
    const int needed = list.Highlighted.Count() + static_cast<int>(marks.Count);
    if (needed > list.Highlighted.Capacity())
        list.Highlighted.SetCapacity(needed);
    for (int i = 0; i < list.Count(); ++i)
        if (marks.Of[static_cast<std::size_t>(i)])
            list.Highlighted.Add(i);
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
    HighlightMarked(list, MarksFoundIn(list, other));
}

int DeleteFoundIn(TKeyItems& list, const TKeyItems& other) {
    return DeleteMarked(list, MarksFoundIn(list, other), true);
}

int KeepOnlyFoundIn(TKeyItems& list, const TKeyItems& other) {
    return DeleteMarked(list, MarksFoundIn(list, other), false);
}

int AddMissingFrom(TKeyItems& list, const TKeyItems& other) {
    if (&list == &other)
        return 0;
    // The first of each text of other, by its number in the set; then which of those the list holds.
    const TFoldedTextSet set = TextsOf(other);
    std::array<std::vector<std::uint8_t>, 2> held;
    const auto count = static_cast<std::size_t>(list.Count());
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        held[part].assign(set.Size(), 0);
        LookUp(list, set, first, last, [&](std::size_t, std::int32_t number) {
            if (number >= 0)
                held[part][static_cast<std::size_t>(number)] = 1;
        });
    });
    const auto heldByList = [&](std::size_t number) {
        return std::any_of(held.begin(), held.end(),
                           [&](const auto& part) { return !part.empty() && part[number]; });
    };
    std::size_t firsts = 0;
    int added = 0;
    for (int i = 0; i < other.Count(); ++i) {
        const std::string_view text = other.GetKeyItem(i).Text();
        if (set.IndexOf(text, FoldedHash(text)) != static_cast<std::int32_t>(firsts))
            continue;
        if (!heldByList(firsts++)) {
            list.AddKeyword(text);
            ++added;
        }
    }
    return added;
}

int DeleteContainingWordsOf(TKeyItems& list, const TKeyItems& other) {
    std::vector<std::string_view> words;
    words.reserve(static_cast<std::size_t>(other.Count()));
    for (int i = 0; i < other.Count(); ++i)
        words.push_back(other.GetKeyItem(i).Text());
    return DeleteMarked(list, MarksHolding(list, words), true);
}

void HighlightHoldingWords(TKeyItems& list, const std::vector<std::string>& words) {
    HighlightMarked(list, MarksHolding(list, std::vector<std::string_view>(words.begin(), words.end())));
}

void HighlightLongerThan(TKeyItems& list, std::size_t n) {
    HighlightMarked(list, MarksWhere(list, [&](std::size_t first, std::size_t last, std::uint8_t* marks) {
                        std::size_t picked = 0;
                        for (std::size_t i = first; i < last; ++i) {
                            const std::string_view text = list.GetKeyItem(static_cast<int>(i)).Text();
                            marks[i] = text.size() > n && Utf8::CountChars(text) > n;
                            picked += marks[i];
                        }
                        return picked;
                    }));
}
