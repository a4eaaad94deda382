#pragma once

#include "bench/core/BenchLists.h"

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

// A term list like a real negative-keyword list: made-up words and two-word phrases that the phrase list
// mostly lacks, with one in a thousand taken from the phrase list's own vocabulary. Upper case, as the
// picking commands pass their terms.
inline std::vector<std::string> NegativeTerms(std::size_t count, std::uint64_t seed = 99) {
    std::set<std::string> vocabulary;
    for (const auto& phrase : GeneratePhrases(2000)) {
        std::string word;
        for (char c : phrase + ' ') {
            if (c != ' ') {
                word += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
            } else if (!word.empty()) {
                vocabulary.insert(word);
                word.clear();
            }
        }
    }
    const std::vector<std::string> known(vocabulary.begin(), vocabulary.end());
    static constexpr const char* kSyllables[] = {"BA",  "KO",  "RIN", "TE",  "SU",  "LAR", "MO",
                                                 "PEX", "DI",  "VAN", "GRO", "ZU",  "NEL", "FI",
                                                 "HAT", "QUO", "WEN", "CY",  "JOR", "US"};
    std::mt19937_64 rng(seed);
    const auto made = [&] {
        std::string word;
        for (std::size_t k = 0, n = 2 + rng() % 3; k < n; ++k)
            word += kSyllables[rng() % std::size(kSyllables)];
        return word;
    };
    std::vector<std::string> terms;
    for (std::size_t i = 0; i < count; ++i) {
        if (i % 1000 == 500)
            terms.push_back(known[rng() % known.size()]);
        else if (rng() % 4 == 0)
            terms.push_back(made() + " " + made());
        else
            terms.push_back(made());
    }
    return terms;
}
