#include "core/TermSearch.h"

#include "core/CaseFolding.h"
#include "core/CaseVariants.h"

#include <algorithm>

namespace {

// Case variants multiply with every letter that has a spelling beyond ASCII case (long s, the Kelvin sign,
// every Cyrillic or Greek letter); past these bounds the texts are folded instead.
constexpr std::size_t VariantsPerTerm = 256;
constexpr std::size_t VariantsPerTermOnAverage = 8;

std::vector<std::string> FoldedTerms(const std::vector<std::string>& terms) {
    std::vector<std::string> folded;
    folded.reserve(terms.size());
    for (const auto& t : terms)
        folded.push_back(Folded(t));
    return folded;
}

} // namespace

TTermSearch::TTermSearch(const std::vector<std::string>& terms, bool reversed)
    : folded_(FoldedTerms(terms)), search_(Build(folded_, reversed, termOf_, lengthOf_, raw_)) {}

TMultiPatternSearch TTermSearch::Build(const std::vector<std::string>& folded, bool reversed,
                                       std::vector<int>& termOf, std::vector<std::size_t>& lengthOf,
                                       bool& raw) {
    std::vector<std::string> patterns;
    const std::size_t budget = VariantsPerTermOnAverage * folded.size() + VariantsPerTerm;
    raw = true;
    for (std::size_t t = 0; t < folded.size(); ++t) {
        auto variants = CaseVariants(folded[t], VariantsPerTerm);
        raw = variants && patterns.size() + variants->size() <= budget;
        if (!raw)
            break;
        for (auto& v : *variants) {
            termOf.push_back(static_cast<int>(t));
            patterns.push_back(std::move(v));
        }
    }
    if (!raw) {
        patterns = folded;
        termOf.clear();
        for (std::size_t t = 0; t < folded.size(); ++t)
            termOf.push_back(static_cast<int>(t));
    }
    lengthOf.resize(patterns.size());
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        lengthOf[p] = patterns[p].size();
        if (reversed)
            std::reverse(patterns[p].begin(), patterns[p].end());
    }
    return TMultiPatternSearch(patterns, raw ? VariantBytes() : FoldedBytes());
}

std::string_view TTermSearch::Searchable(std::string_view text, std::string& scratch) const {
    return raw_ ? text : SearchableText(text, scratch);
}

int TTermSearch::FirstTermIn(std::string_view searchable) const {
    // Variants of one term are neighbours in term order, so the first pattern belongs to the first term.
    const int pattern = search_.FirstPatternIn(searchable);
    return pattern < 0 ? -1 : termOf_[static_cast<std::size_t>(pattern)];
}
