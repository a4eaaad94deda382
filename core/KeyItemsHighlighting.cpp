#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/LoweredFind.h"
#include "core/TermSearch.h"
#include "core/TextLocale.h"
#include "core/TwoThreads.h"
#include "core/Utf8.h"

#include <algorithm>
#include <array>

namespace {

// Terms are at most this long before an entry is measured against the shortest one.
constexpr std::size_t ShortestTermCap = 1000;
// Up to this many terms, an entry is first searched for each of them in turn as ASCII lower case; more are
// searched for all at once.
constexpr std::size_t LoweredTermsMost = 4;

// Whether the text, as it is or folded, begins with the folded term.
bool BeginsWithFolded(std::string_view text, std::string_view term) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < term.size();)
        if (i >= text.size() || FoldChar(Utf8::Next(text, i)) != Utf8::Next(term, k))
            return false;
    return true;
}

// Picks entries by where a term occurs in their text, ignoring case.
class TTermMatcher {
public:
    TTermMatcher(const std::vector<std::string>& terms, std::uint8_t position)
        : position_(position), search_(terms, position == TKeyItems::TermAtEnd) {
        // Not where the locale folds I to ı, which ASCII lower case does not; and only for terms of ASCII
        // alone, which texts in other scripts would leave unsure.
        if (position != TKeyItems::TermAnywhere || terms.size() > LoweredTermsMost || IsTurkicLocale())
            return;
        for (std::size_t t = 0; t < terms.size(); ++t) {
            const std::string& term = search_.FoldedTerm(static_cast<int>(t));
            if (!Utf8::IsAscii(term)) {
                lowered_.clear();
                return;
            }
            if (!term.empty())
                lowered_.push_back(term);
        }
    }
    // lowered_ views the terms search_ holds.
    TTermMatcher(const TTermMatcher&) = delete;
    TTermMatcher& operator=(const TTermMatcher&) = delete;

    // Room for a folded text and a reversed tail, one per thread.
    struct TScratch {
        std::string Folded;
        std::string Tail;
    };

    bool Matches(std::string_view entry, TScratch& scratch) const {
        if (!lowered_.empty()) {
            const LoweredFind::TFound found = FindLowered(entry);
            if (found != LoweredFind::TFound::Unsure)
                return found == LoweredFind::TFound::Yes;
        }
        const std::string_view text = search_.Searchable(entry, scratch.Folded);
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
    // Found when some term is found, not found when no term is, else unsure.
    LoweredFind::TFound FindLowered(std::string_view entry) const {
        LoweredFind::TFound all = LoweredFind::TFound::No;
        for (const std::string_view term : lowered_) {
            const LoweredFind::TFound found = LoweredFind::FindLowered(entry, term, unsure_);
            if (found == LoweredFind::TFound::Yes)
                return found;
            if (found == LoweredFind::TFound::Unsure)
                all = found;
        }
        return all;
    }

    bool EndsWithAny(std::string_view text, std::string& tail) const {
        const std::size_t n = std::min(text.size(), search_.MaxPatternLength());
        tail.assign(text.rbegin(), text.rbegin() + static_cast<std::ptrdiff_t>(n));
        return search_.StartsWithAny(tail);
    }

    // Only a term's first occurrence counts, and it must neither begin nor end the text. A term that begins
    // the text is out whatever follows; otherwise its first occurrence ends before the text does exactly when
    // some occurrence does.
    bool InMiddle(std::string_view text) const {
        return search_.AnyOccurrence(text, [&](int term, std::size_t start, std::size_t length) {
            return start > 0 && start + length < text.size() &&
                   !BeginsWithFolded(text, search_.FoldedTerm(term));
        });
    }

    std::uint8_t position_;
    TTermSearch search_;
    // The folded terms searched as ASCII lower case first, if any; they live in search_.
    std::vector<std::string_view> lowered_;
    // For terms of ASCII alone.
    const LoweredFind::TUnsureBytes unsure_{"a"};
};

} // namespace

void TKeyItems::HighlightByTerms(const std::vector<std::string>& terms, std::uint8_t position) {
    // A text has at least as many bytes as characters, and folding keeps the number of characters.
    std::size_t shortest = ShortestTermCap;
    for (const auto& t : terms)
        if (!t.empty())
            shortest = std::min(shortest, Utf8::CountChars(t));
    const TTermMatcher matcher(terms, position);
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
