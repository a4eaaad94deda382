#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/MultiPatternSearch.h"
#include "core/TwoThreads.h"
#include "core/Utf8.h"

#include <algorithm>
#include <array>

namespace {

// Terms are at most this long before an entry is measured against the shortest one.
constexpr std::size_t ShortestTermCap = 1000;

bool StartsWithFolded(std::string_view text, std::string_view term) {
    if (term.size() > text.size())
        return false;
    const auto& fold = FoldedBytes();
    for (std::size_t i = 0; i < term.size(); ++i)
        if (fold[static_cast<std::uint8_t>(text[i])] != static_cast<std::uint8_t>(term[i]))
            return false;
    return true;
}

std::vector<std::string> Reversed(const std::vector<std::string>& terms) {
    std::vector<std::string> reversed;
    reversed.reserve(terms.size());
    for (const auto& t : terms)
        reversed.emplace_back(t.rbegin(), t.rend());
    return reversed;
}

// Picks entries by where a term occurs in their folded text.
class TTermMatcher {
public:
    // terms: folded.
    TTermMatcher(const std::vector<std::string>& terms, std::uint8_t position)
        : terms_(terms), position_(position),
          search_(position == TKeyItems::TermAtEnd ? Reversed(terms) : terms, FoldedBytes()) {}

    // Room for a folded text and a reversed tail, one per thread.
    struct TScratch {
        std::string Folded;
        std::string Tail;
    };

    bool Matches(std::string_view entry, TScratch& scratch) const {
        const std::string_view text = SearchableText(entry, scratch.Folded);
        switch (position_) {
        case TKeyItems::TermAtStart:
            return search_.StartsWithAny(text);
        case TKeyItems::TermAtEnd:
            return EndsWithAny(text, scratch.Tail);
        case TKeyItems::TermInMiddle:
            return InMiddle(text);
        case TKeyItems::TermAnywhere:
            return search_.ContainsAny(text);
        default:
            return false;
        }
    }

    bool Empty() const { return search_.Empty(); }

private:
    bool EndsWithAny(std::string_view text, std::string& tail) const {
        const std::size_t n = std::min(text.size(), search_.MaxPatternLength());
        tail.assign(text.rbegin(), text.rbegin() + static_cast<std::ptrdiff_t>(n));
        return search_.StartsWithAny(tail);
    }

    // Only a term's first occurrence counts, and it must neither begin nor end the text. A term that begins
    // the text is out whatever follows; otherwise its first occurrence ends before the text does exactly when
    // some occurrence does.
    bool InMiddle(std::string_view text) const {
        return search_.AnyOccurrence(text, [&](int term, std::size_t start) {
            const std::string& t = terms_[static_cast<std::size_t>(term)];
            return start > 0 && start + t.size() < text.size() && !StartsWithFolded(text, t);
        });
    }

    const std::vector<std::string>& terms_;
    std::uint8_t position_;
    TMultiPatternSearch search_;
};

} // namespace

void TKeyItems::HighlightByTerms(const std::vector<std::string>& terms, std::uint8_t position) {
    std::vector<std::string> folded;
    folded.reserve(terms.size());
    // A text has at least as many bytes as characters, and folding keeps the number of characters.
    std::size_t shortest = ShortestTermCap;
    for (const auto& t : terms) {
        folded.push_back(Folded(t));
        if (!t.empty())
            shortest = std::min(shortest, Utf8::CountChars(folded.back()));
    }
    const TTermMatcher matcher(folded, position);
    if (matcher.Empty())
        return;
    std::array<std::vector<std::int32_t>, 2> found;
    InParts(items_.size(), [&](unsigned part, unsigned parts) {
        const auto [first, last] = PartRange(items_.size(), part, parts);
        std::vector<std::int32_t> picked;
        TTermMatcher::TScratch scratch;
        for (std::size_t i = first; i < last; ++i) {
            const std::string_view text = items_[i].Text();
            if (text.size() >= shortest && matcher.Matches(text, scratch))
                picked.push_back(static_cast<std::int32_t>(i));
        }
        found[part] = std::move(picked);
    });
    for (const auto& indices : found)
        for (std::int32_t i : indices)
            Highlighted.Add(i);
}

void TKeyItems::HighlightByWordCount(int n, std::uint8_t comparison) {
    const auto picks = [&](int words) {
        switch (comparison) {
        case WordsMoreThan:
            return words > n;
        case WordsLessThan:
            return words < n;
        case WordsExactly:
            return words == n;
        default:
            return false;
        }
    };
    if (comparison > WordsExactly)
        return;
    for (int i = 0; i < Count(); ++i)
        if (picks(items_[static_cast<std::size_t>(i)].WordCount()))
            Highlighted.Add(i);
}
