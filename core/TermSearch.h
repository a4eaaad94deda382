#pragma once

#include "core/MultiPatternSearch.h"

#include <string>
#include <string_view>
#include <vector>

// Finds terms in texts ignoring case. Where the terms have few case variants (ordinary words do) it searches
// the texts as they are for every variant, so no text is folded; otherwise it searches folded texts for the
// folded terms. Either way, callers pass each text through Searchable first.
class TTermSearch {
public:
    // terms: as typed; reversed: search reversed texts (bytes in reverse order) for reversed terms.
    explicit TTermSearch(const std::vector<std::string>& terms, bool reversed = false);

    bool Empty() const { return search_.Empty(); }
    // The folded term, as typed order.
    const std::string& FoldedTerm(int term) const { return folded_[static_cast<std::size_t>(term)]; }
    std::size_t MaxPatternLength() const { return search_.MaxPatternLength(); }

    // The text as the search reads it: the text itself, or its folded form in scratch.
    std::string_view Searchable(std::string_view text, std::string& scratch) const;
    bool StartsWithAny(std::string_view searchable) const { return search_.StartsWithAny(searchable); }
    bool ContainsAny(std::string_view searchable) const { return search_.ContainsAny(searchable); }
    // The smallest index of a term that occurs; -1 when none does.
    int FirstTermIn(std::string_view searchable) const;
    // Calls visit(term, start, length) for occurrences (bytes of searchable) in order of their ends, until
    // visit returns true; returns whether it did.
    template <class TVisit> bool AnyOccurrence(std::string_view searchable, TVisit&& visit) const {
        return search_.AnyOccurrence(searchable, [&](int pattern, std::size_t start) {
            const auto p = static_cast<std::size_t>(pattern);
            return visit(termOf_[p], start, lengthOf_[p]);
        });
    }

private:
    static TMultiPatternSearch Build(const std::vector<std::string>& folded, bool reversed,
                                     std::vector<int>& termOf, std::vector<std::size_t>& lengthOf, bool& raw);

    std::vector<std::string> folded_;
    // Per pattern, in order: its term and its length in bytes.
    std::vector<int> termOf_;
    std::vector<std::size_t> lengthOf_;
    bool raw_ = false;
    TMultiPatternSearch search_;
};
