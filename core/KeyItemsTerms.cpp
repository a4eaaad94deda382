#include "CheckpointTrail.h"
#include "CodePage.h"
#include "KeyItems.h"
#include "MultiPatternSearch.h"
#include "RewriteEntries.h"

namespace {

// Removes every non-overlapping occurrence of pattern, found left to right in upper, from both upper and
// text (upper is text's byte-wise upper case, so the two stay aligned).
void RemoveOccurrences(std::string& text, std::string& upper, std::string_view pattern) {
    std::size_t at = upper.find(pattern);
    if (pattern.empty() || at == std::string::npos)
        return;
    std::size_t write = at;
    std::size_t read = at;
    while (at != std::string::npos) {
        for (; read < at; ++read, ++write) {
            text[write] = text[read];
            upper[write] = upper[read];
        }
        read += pattern.size();
        at = upper.find(pattern, read);
    }
    for (; read < text.size(); ++read, ++write) {
        text[write] = text[read];
        upper[write] = upper[read];
    }
    text.resize(write);
    upper.resize(write);
}

} // namespace

void TKeyItems::RemoveTerms(const std::vector<std::string>& terms) {
    CheckpointScope checkpoint("d067");
    const TCodePage& codePage = ActiveCodePage();
    std::vector<std::string> upperTerms;
    upperTerms.reserve(terms.size());
    for (const auto& t : terms)
        upperTerms.push_back(codePage.UpperCase(t));
    // Terms before the first one that occurs in an entry change nothing, so one scan for all terms finds
    // where the term-by-term removal has to start, and skips most entries altogether.
    const TMultiPatternSearch search(upperTerms, codePage.Upper);
    if (search.Empty())
        return;
    std::string upper;
    RewriteEntries(*this, [&](std::string_view text, std::string& out) {
        out.assign(text);
        const int first = search.FirstPatternIn(text);
        if (first < 0)
            return;
        upper = codePage.UpperCase(text);
        for (std::size_t t = static_cast<std::size_t>(first); t < upperTerms.size(); ++t)
            RemoveOccurrences(out, upper, upperTerms[t]);
    });
}
