#include "core/WholeWordSearch.h"

#include "core/WordRules.h"

#include <unicode/uchar.h>

namespace {

std::vector<std::string> SpacedPhrases(const std::vector<std::string>& phrases, bool& several) {
    std::vector<std::string> spaced;
    spaced.reserve(phrases.size());
    for (const auto& phrase : phrases) {
        std::string words = SingleSpaced(phrase);
        several = several || words.find(' ') != std::string::npos;
        if (!words.empty())
            spaced.push_back(std::move(words));
    }
    return spaced;
}

// Whether a text has a blank other than one lone ' ' between words, so it differs from its single-spaced
// form.
bool NeedsSpacing(std::string_view text) {
    if (text.empty())
        return false;
    if (text.front() == ' ' || text.back() == ' ')
        return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        if (b == '\t' || (b == ' ' && text[i + 1] == ' ') ||
            (MayStartWideBlank(b) && BlankLength(text, i) > 0))
            return true;
    }
    return false;
}

bool WordCharBefore(std::string_view text, std::size_t i) {
    if (i == 0)
        return false;
    std::size_t start = Utf8::PreviousStart(text, i);
    return IsWordChar(Utf8::Next(text, start));
}

bool WordCharAt(std::string_view text, std::size_t i) {
    return i < text.size() && IsWordChar(Utf8::Next(text, i));
}

} // namespace

bool IsWordChar(char32_t c) {
    if (c < 0x80)
        return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    const auto u = static_cast<UChar32>(c);
    return u_isalnum(u) || (U_GET_GC_MASK(u) & U_GC_M_MASK) != 0;
}

std::string SingleSpaced(std::string_view text) {
    std::string spaced;
    spaced.reserve(text.size());
    bool gap = false;
    for (std::size_t i = 0; i < text.size();) {
        if (const std::size_t blank = BlankLength(text, i)) {
            gap = !spaced.empty();
            i += blank;
            continue;
        }
        if (gap)
            spaced += ' ';
        gap = false;
        const std::size_t start = i;
        Utf8::Next(text, i);
        spaced.append(text.substr(start, i - start));
    }
    return spaced;
}

TWholeWordSearch::TWholeWordSearch(const std::vector<std::string>& phrases)
    : search_(SpacedPhrases(phrases, phrases_)) {}

bool TWholeWordSearch::Holds(std::string_view text, TScratch& scratch) const {
    if (phrases_ && NeedsSpacing(text)) {
        scratch.Spaced = SingleSpaced(text);
        text = scratch.Spaced;
    }
    const std::string_view searchable = search_.Searchable(text, scratch.Folded);
    return search_.AnyOccurrence(searchable, [&](int, std::size_t start, std::size_t length) {
        return !WordCharBefore(searchable, start) && !WordCharAt(searchable, start + length);
    });
}
