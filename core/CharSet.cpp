#include "core/CharSet.h"

#include "core/Utf8.h"

#include <algorithm>
#include <bit>
#include <unicode/uchar.h>
#include <unicode/uset.h>

void TCharSet::Include(char32_t c) {
    if (c < 0x80) {
        ascii_[c >> 6] |= std::uint64_t{1} << (c & 63);
        return;
    }
    const auto at = std::lower_bound(beyond_.begin(), beyond_.end(), c);
    if (at == beyond_.end() || *at != c)
        beyond_.insert(at, c);
}

void TCharSet::Exclude(char32_t c) {
    if (c < 0x80) {
        ascii_[c >> 6] &= ~(std::uint64_t{1} << (c & 63));
        return;
    }
    const auto at = std::lower_bound(beyond_.begin(), beyond_.end(), c);
    if (at != beyond_.end() && *at == c)
        beyond_.erase(at);
}

bool TCharSet::ContainsBeyondAscii(char32_t c) const {
    return std::binary_search(beyond_.begin(), beyond_.end(), c);
}

int TCharSet::Size() const {
    return std::popcount(ascii_[0]) + std::popcount(ascii_[1]) + static_cast<int>(beyond_.size());
}

char32_t TCharSet::Lowest() const {
    if (ascii_[0] != 0)
        return static_cast<char32_t>(std::countr_zero(ascii_[0]));
    if (ascii_[1] != 0)
        return static_cast<char32_t>(64 + std::countr_zero(ascii_[1]));
    return beyond_.empty() ? 0 : beyond_.front();
}

namespace {

TCharSet WordBlanksAnd(std::initializer_list<char32_t> more) {
    TCharSet set{'\t', ' '};
    UErrorCode status = U_ZERO_ERROR;
    const USet* space = u_getBinaryPropertySet(UCHAR_WHITE_SPACE, &status);
    for (int32_t item = 0; U_SUCCESS(status) && item < uset_getItemCount(space); ++item) {
        UChar32 first = 0;
        UChar32 last = 0;
        uset_getItem(space, item, &first, &last, nullptr, 0, &status);
        for (UChar32 c = std::max(first, 0x80); c <= last; ++c)
            set.Include(static_cast<char32_t>(c));
    }
    for (char32_t c : more)
        set.Include(c);
    return set;
}

} // namespace

const TCharSet& BlankSet() {
    static const TCharSet set = WordBlanksAnd({});
    return set;
}

const TCharSet& MatchTypeTrimSet() {
    static const TCharSet set = WordBlanksAnd({'"', '\'', '[', ']'});
    return set;
}

const TCharSet& RecombineSeparators() {
    static const TCharSet set = WordBlanksAnd({'.'});
    return set;
}

std::string_view TrimmedBy(std::string_view text, const TCharSet& set) {
    std::size_t first = 0;
    while (first < text.size()) {
        std::size_t next = first;
        if (!set.Contains(Utf8::Next(text, next)))
            break;
        first = next;
    }
    std::size_t last = text.size();
    while (last > first) {
        const std::size_t start = Utf8::PreviousStart(text, last);
        std::size_t end = start;
        if (!set.Contains(Utf8::Next(text, end)))
            break;
        last = start;
    }
    return text.substr(first, last - first);
}
