#include "core/CaseFolding.h"
#include "core/ListComparison.h"
#include "core/Progress.h"
#include "core/TwoThreads.h"
#include "core/WordScan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace {

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

// Alike for texts with the same folded words in any order: a sum, which ignores order and keeps how often
// each word occurs.
std::uint64_t WordsHash(std::string_view text) {
    std::uint64_t sum = 0;
    ForEachWord(text, [&](std::string_view word) { sum += Mix(FoldedHash(word)); });
    return Mix(sum);
}

// A text folded and its words in sorted order, made in room kept for the next text.
struct TSortedWords {
    std::string Folded;
    std::vector<std::string_view> Words;

    void Make(std::string_view text) {
        Folded.clear();
        AppendFolded(text, Folded);
        Words.clear();
        ForEachWord(Folded, [&](std::string_view word) { Words.push_back(word); });
        std::sort(Words.begin(), Words.end());
    }
};

bool SameWords(std::string_view a, std::string_view b) {
    if (SameText(a, b))
        return true;
    thread_local TSortedWords first;
    thread_local TSortedWords second;
    first.Make(a);
    second.Make(b);
    return first.Words == second.Words;
}

// The entries of one hash part whose words an earlier entry of the part has, ascending. A slot holds an entry
// index and the high half of its hash: slots of other entries are passed over by that half alone, and the
// rare entry whose half matches by chance fails the comparison of words.
TLargeVector<std::int32_t> LaterOnes(const TKeyItems& list, const TLargeVector<std::uint64_t>& hashes,
                                     unsigned part, unsigned parts) {
    constexpr std::uint64_t Empty = ~std::uint64_t{0};
    TLargeVector<std::uint64_t> slots(std::bit_ceil(hashes.size() * 3 / (2 * parts) + 16), Empty);
    std::size_t mask = slots.size() - 1;
    std::size_t occupied = 0;
    TLargeVector<std::int32_t> later;
    const auto slotOf = [](std::uint64_t hash, std::size_t index) { return (hash & ~0xFFFFFFFFULL) | index; };
    const auto place = [&](std::uint32_t index) {
        const std::uint64_t hash = hashes[index];
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint64_t occupant = slots[slot];
            if (occupant == Empty) {
                slots[slot] = slotOf(hash, index);
                return true;
            }
            const auto k = static_cast<int>(occupant & 0xFFFFFFFF);
            if ((occupant ^ hash) >> 32 == 0 &&
                SameWords(list.GetKeyItem(k).Text(), list.GetKeyItem(static_cast<int>(index)).Text()))
                return false;
        }
    };
    // The entry in the first slot of the entry at i when its hash is alike, or -1.
    const auto alikeAt = [&](std::size_t i) {
        if (i >= hashes.size())
            return -1;
        const std::uint64_t occupant = slots[hashes[i] & mask];
        return occupant != Empty && (occupant ^ hashes[i]) >> 32 == 0
                   ? static_cast<int>(occupant & 0xFFFFFFFF)
                   : -1;
    };
    TProgressSteps steps;
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        steps.Element();
        if (HashPart(hashes[i], parts) != part)
            continue;
        // Three stages ahead: the slot, the entry that a slot with an alike hash holds, then its text.
        if (i + 16 < hashes.size())
            __builtin_prefetch(&slots[hashes[i + 16] & mask]);
        if (const int k = alikeAt(i + 8); k >= 0)
            __builtin_prefetch(&list.GetKeyItem(k));
        if (const int k = alikeAt(i + 4); k >= 0)
            __builtin_prefetch(list.GetKeyItem(k).Text().data());
        if (!place(static_cast<std::uint32_t>(i))) {
            later.push_back(static_cast<std::int32_t>(i));
        } else if (++occupied > slots.size() / 4 * 3) {
            // A list made to put most entries into one part makes the table grow instead of filling up.
            TLargeVector<std::uint64_t> old(slots.size() * 2, Empty);
            old.swap(slots);
            mask = slots.size() - 1;
            for (const std::uint64_t occupant : old)
                if (occupant != Empty) {
                    std::size_t slot = hashes[occupant & 0xFFFFFFFF] & mask;
                    while (slots[slot] != Empty)
                        slot = (slot + 1) & mask;
                    slots[slot] = occupant;
                }
        }
    }
    return later;
}

} // namespace

int DeleteSameWordsInOtherOrder(TKeyItems& list) {
    const auto count = static_cast<std::size_t>(list.Count());
    TLargeVector<std::uint64_t> hashes(count);
    // Each part's search goes through every hash.
    ProgressBegin(count + PartsFor(count) * count);
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            hashes[i] = WordsHash(list.GetKeyItem(static_cast<int>(i)).Text());
        }
    });
    std::array<TLargeVector<std::int32_t>, 2> later;
    InParts(count,
            [&](unsigned part, unsigned parts) { later[part] = LaterOnes(list, hashes, part, parts); });
    TIntList indices;
    indices.SetCapacity(static_cast<int>(later[0].size() + later[1].size()));
    auto a = later[0].begin();
    auto b = later[1].begin();
    while (a != later[0].end() || b != later[1].end())
        indices.Add(b == later[1].end() || (a != later[0].end() && *a < *b) ? *a++ : *b++);
    return DeleteIndices(list, std::move(indices));
}
