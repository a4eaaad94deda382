#include "core/CaseFolding.h"
#include "core/ListComparison.h"
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

std::vector<std::string> SortedFoldedWords(std::string_view text) {
    std::vector<std::string> words;
    ForEachWord(text, [&](std::string_view word) { words.push_back(Folded(word)); });
    std::sort(words.begin(), words.end());
    return words;
}

bool SameWords(std::string_view a, std::string_view b) {
    return SameText(a, b) || SortedFoldedWords(a) == SortedFoldedWords(b);
}

// The entries of one hash part whose words an earlier entry of the part has, ascending.
TLargeVector<std::int32_t> LaterOnes(const TKeyItems& list, const TLargeVector<std::uint64_t>& hashes,
                                     unsigned part, unsigned parts) {
    TLargeVector<std::uint32_t> slots(std::bit_ceil(hashes.size() * 3 / (2 * parts) + 16), 0xFFFFFFFF);
    std::size_t mask = slots.size() - 1;
    std::size_t occupied = 0;
    TLargeVector<std::int32_t> later;
    const auto place = [&](std::uint32_t index) {
        const std::uint64_t hash = hashes[index];
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t k = slots[slot];
            if (k == 0xFFFFFFFF) {
                slots[slot] = index;
                return true;
            }
            if (hashes[k] == hash && SameWords(list.GetKeyItem(static_cast<int>(k)).Text(),
                                               list.GetKeyItem(static_cast<int>(index)).Text()))
                return false;
        }
    };
    for (std::size_t i = 0; i < hashes.size(); ++i) {
        if (HashPart(hashes[i], parts) != part)
            continue;
        if (i + 8 < hashes.size())
            __builtin_prefetch(&slots[hashes[i + 8] & mask]);
        if (!place(static_cast<std::uint32_t>(i))) {
            later.push_back(static_cast<std::int32_t>(i));
        } else if (++occupied > slots.size() / 4 * 3) {
            // A list made to put most entries into one part makes the table grow instead of filling up.
            TLargeVector<std::uint32_t> old(slots.size() * 2, 0xFFFFFFFF);
            old.swap(slots);
            mask = slots.size() - 1;
            for (const std::uint32_t k : old)
                if (k != 0xFFFFFFFF) {
                    std::size_t slot = hashes[k] & mask;
                    while (slots[slot] != 0xFFFFFFFF)
                        slot = (slot + 1) & mask;
                    slots[slot] = k;
                }
        }
    }
    return later;
}

} // namespace

int DeleteSameWordsInOtherOrder(TKeyItems& list) {
    const auto count = static_cast<std::size_t>(list.Count());
    TLargeVector<std::uint64_t> hashes(count);
    InParts(count, [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(count, part, parts);
        for (std::size_t i = first; i < last; ++i)
            hashes[i] = WordsHash(list.GetKeyItem(static_cast<int>(i)).Text());
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
