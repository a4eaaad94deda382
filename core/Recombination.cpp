#include "core/Recombination.h"

#include "core/CharSet.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/Progress.h"
#include "core/WordRules.h"

#include <algorithm>
#include <numeric>

bool NextPermutation(std::vector<int>& sequence) {
    const std::size_t n = sequence.size();
    if (n < 2)
        return false;
    std::size_t i = n - 1;
    while (i > 0 && sequence[i - 1] >= sequence[i])
        --i;
    if (i == 0)
        return false;
    const std::size_t pivot = i - 1;
    std::size_t j = n - 1;
    while (sequence[j] <= sequence[pivot])
        --j;
    std::swap(sequence[pivot], sequence[j]);
    std::reverse(sequence.begin() + static_cast<std::ptrdiff_t>(pivot + 1), sequence.end());
    return true;
}

void WordPermutations(const std::vector<std::string>& words,
                      const std::function<void(std::string_view)>& emit) {
    std::vector<int> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::string text;
    do {
        text.clear();
        for (std::size_t k = 0; k < order.size(); ++k) {
            if (k > 0)
                text += ' ';
            text += words[static_cast<std::size_t>(order[k])];
        }
        emit(text);
    } while (NextPermutation(order));
}

namespace {

bool WithinLimit(const std::vector<std::string>& words, int limit) {
    return static_cast<long long>(words.size()) <= limit;
}

// n! entries of the joined length each; no words make one empty entry.
void CountPermutations(const std::vector<std::string>& words, TGrowth& growth) {
    std::uint64_t entries = 1;
    std::uint64_t bytes = 0;
    for (std::size_t k = 0; k < words.size(); ++k) {
        entries = SaturatingMultiply(entries, k + 1);
        bytes += words[k].size() + (k > 0);
    }
    growth.AddEntries(entries, bytes);
}

} // namespace

void RecombineWords(const std::vector<std::string>& phrases, int limit, TKeyItems& target,
                    std::size_t memoryBudget) {
    CheckpointScope checkpoint("d114");
    std::vector<std::string> words;
    TGrowth growth;
    for (const auto& p : phrases) {
        SplitWords(p, RecombineSeparators(), words);
        if (WithinLimit(words, limit))
            CountPermutations(words, growth);
    }
    growth.Check(target.Count(), memoryBudget);
    target.Reserve(static_cast<std::size_t>(growth.Entries()), static_cast<std::size_t>(growth.Bytes()));
    const auto add = [&](std::string_view text) { target.AddKeyword(text); };
    // A phrase of five words makes 120 orders.
    ProgressBegin(phrases.size());
    TProgressSteps steps(1 << 10);
    for (const auto& p : phrases) {
        steps.Element();
        SplitWords(p, RecombineSeparators(), words);
        if (WithinLimit(words, limit))
            WordPermutations(words, add);
    }
}
