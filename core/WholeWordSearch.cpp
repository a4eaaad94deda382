#include "core/WholeWordSearch.h"

#include "core/CaseFolding.h"
#include "core/WordRules.h"

#include <algorithm>
#include <bit>
#include <unicode/uchar.h>

namespace {

constexpr std::uint64_t NoKey = ~std::uint64_t{0};
constexpr std::uint64_t LowHalf = 0xFFFFFFFF;
constexpr unsigned FirstWordBits = 20;

std::uint64_t Mix(std::uint64_t x) {
    x ^= x >> 31;
    x *= 0x9E3779B97F4A7C15ULL;
    return x ^ (x >> 29);
}

std::uint64_t HashByte(std::uint64_t h, char c) {
    return (h ^ static_cast<std::uint8_t>(FoldAsciiByte(c))) * 0x100000001B3ULL;
}

bool IsAsciiWordByte(std::uint8_t b) {
    return static_cast<unsigned>(b - '0') < 10 || static_cast<unsigned>((b | 0x20) - 'a') < 26;
}

// Whether the character at i is a word character; moves i past it. ASCII bytes are told apart without
// decoding, as most texts are ASCII only.
bool WordCharNext(std::string_view text, std::size_t& i) {
    const auto b = static_cast<std::uint8_t>(text[i]);
    if (b < 0x80) {
        ++i;
        return IsAsciiWordByte(b);
    }
    return IsWordChar(Utf8::Next(text, i));
}

// The hash of a word read folded, taken a byte at a time but mixed eight bytes at a time. The bytes come from
// a text that is ASCII (read folded) or folded: an ASCII word byte (letter or digit) folds by setting 0x20,
// and the rest stay as they are.
class TWordHash {
public:
    void Add(std::string_view text, std::size_t from, std::size_t to) {
        for (; from < to; ++from) {
            const auto b = static_cast<std::uint8_t>(text[from]);
            word_ |= std::uint64_t{b < 0x80 ? static_cast<std::uint8_t>(b | 0x20) : b} << shift_;
            shift_ += 8;
            if (shift_ == 64) {
                hash_ = (hash_ ^ word_) * 0x9E3779B97F4A7C15ULL;
                word_ = 0;
                shift_ = 0;
            }
        }
    }

    std::uint64_t Value() const { return Mix(Mix(hash_ ^ word_) ^ shift_); }

private:
    std::uint64_t hash_ = 0xCBF29CE484222325ULL;
    std::uint64_t word_ = 0;
    unsigned shift_ = 0;
};

// The next run of word characters from at on of a text that is ASCII (read folded) or folded; moves at to
// its end. False if there is none.
bool NextRun(std::string_view text, std::size_t& at, TRun& run) {
    std::size_t next = at;
    while (at < text.size() && !WordCharNext(text, next))
        at = next;
    if (at == text.size())
        return false;
    run.Start = at;
    TWordHash hash;
    for (;;) {
        hash.Add(text, at, next);
        at = next;
        if (at == text.size() || !WordCharNext(text, next))
            break;
    }
    run.End = at;
    run.Hash = hash.Value();
    return true;
}

void FindRuns(std::string_view text, std::vector<TRun>& runs) {
    runs.clear();
    TRun run;
    for (std::size_t at = 0; NextRun(text, at, run);)
        runs.push_back(run);
}

// The hash of what lies between two runs, each run of blanks in it read as one blank.
std::uint64_t GapHash(std::string_view text, std::size_t from, std::size_t to) {
    std::uint64_t h = 0x84222325CBF29CE4ULL;
    bool blank = false;
    for (std::size_t i = from; i < to;) {
        if (const std::size_t n = BlankLength(text, i)) {
            if (!blank)
                h = HashByte(h, ' ');
            blank = true;
            i += n;
        } else {
            blank = false;
            h = HashByte(h, text[i++]);
        }
    }
    return h;
}

// The span of the text folded, each run of blanks one blank.
void SpanAsKey(std::string_view text, std::size_t from, std::size_t to, std::string& span) {
    span.clear();
    bool blank = false;
    for (std::size_t i = from; i < to;) {
        if (const std::size_t n = BlankLength(text, i)) {
            if (!blank)
                span += ' ';
            blank = true;
            i += n;
        } else {
            blank = false;
            span += FoldAsciiByte(text[i++]);
        }
    }
}

bool BeginsAndEndsWithWordChar(std::string_view text) {
    std::size_t i = 0;
    return !text.empty() && IsWordChar(Utf8::Next(text, i)) &&
           IsWordChar(Utf8::Next(text, i = Utf8::PreviousStart(text, text.size())));
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
        return IsAsciiWordByte(static_cast<std::uint8_t>(c));
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

TWholeWordSearch::TWholeWordSearch(const std::vector<std::string_view>& phrases) {
    std::vector<std::string> others;
    std::vector<TRun> runs;
    for (const auto& phrase : phrases) {
        std::string words = SingleSpaced(phrase);
        if (words.empty())
            continue;
        if (BeginsAndEndsWithWordChar(words)) {
            AddKey(Folded(words), runs);
        } else {
            otherPhrases_ = otherPhrases_ || words.find(' ') != std::string::npos;
            others.push_back(std::move(words));
        }
    }
    if (!others.empty())
        others_ = std::make_unique<TTermSearch>(others);
    slots_.assign(std::bit_ceil(keys_.size() * 2 + 16), NoKey);
    firstWords_.assign((std::size_t{1} << FirstWordBits) / 64, 0);
    for (std::uint32_t k = 0; k < keys_.size(); ++k) {
        FindRuns(keys_[k], runs);
        std::uint64_t hash = Mix(runs[0].Hash);
        for (std::size_t j = 1; j < runs.size(); ++j)
            hash = Mix(Mix(hash ^ GapHash(keys_[k], runs[j - 1].End, runs[j].Start)) ^ runs[j].Hash);
        const std::uint64_t first = runs[0].Hash >> (64 - FirstWordBits);
        firstWords_[first / 64] |= std::uint64_t{1} << (first % 64);
        std::size_t slot = hash & (slots_.size() - 1);
        while (slots_[slot] != NoKey)
            slot = (slot + 1) & (slots_.size() - 1);
        slots_[slot] = (hash & ~LowHalf) | k;
    }
}

void TWholeWordSearch::AddKey(std::string folded, std::vector<TRun>& runs) {
    FindRuns(folded, runs);
    longest_ = std::max(longest_, runs.size());
    keys_.push_back(std::move(folded));
}

bool TWholeWordSearch::Holds(std::string_view text, TScratch& scratch) const {
    return (!keys_.empty() && HoldsKey(text, scratch)) || (others_ && HoldsOther(text, scratch));
}

bool TWholeWordSearch::IsKey(std::uint64_t hash, std::string_view text, std::size_t from, std::size_t to,
                             TScratch& scratch) const {
    // Mostly the span is its key byte for byte but for case.
    const auto sameBytes = [&](const char* key, std::size_t size) {
        return to - from == size && std::equal(key, key + size, text.begin() + from,
                                               [](char k, char t) { return k == FoldAsciiByte(t); });
    };
    TScratch::TFound& found = scratch.Found[(hash >> 40) % scratch.Found.size()];
    if (found.Hash == hash && sameBytes(found.Key.data(), found.Size))
        return true;
    bool spanMade = false;
    for (std::size_t slot = hash & (slots_.size() - 1); slots_[slot] != NoKey;
         slot = (slot + 1) & (slots_.size() - 1)) {
        if ((slots_[slot] ^ hash) & ~LowHalf)
            continue;
        const std::string& key = keys_[slots_[slot] & LowHalf];
        if (sameBytes(key.data(), key.size())) {
            if (key.size() <= found.Key.size()) {
                found.Hash = hash;
                found.Size = static_cast<std::uint32_t>(key.size());
                std::copy(key.begin(), key.end(), found.Key.begin());
            }
            return true;
        }
        if (!spanMade)
            SpanAsKey(text, from, to, scratch.Span);
        spanMade = true;
        if (scratch.Span == key)
            return true;
    }
    return false;
}

bool TWholeWordSearch::HoldsKey(std::string_view text, TScratch& scratch) const {
    if (!FoldsAsAscii(text)) {
        scratch.Folded.clear();
        AppendFolded(text, scratch.Folded);
        text = scratch.Folded;
    }
    // Runs are found as far as the lookups need them, so a match near the start ends the work there.
    auto& runs = scratch.Runs;
    runs.clear();
    std::size_t at = 0;
    TRun run;
    const auto found = [&](std::size_t count) {
        while (runs.size() < count && NextRun(text, at, run))
            runs.push_back(run);
        return runs.size() >= count;
    };
    for (std::size_t i = 0; found(i + 1); ++i) {
        const std::uint64_t first = runs[i].Hash >> (64 - FirstWordBits);
        if (!(firstWords_[first / 64] >> (first % 64) & 1))
            continue;
        std::uint64_t hash = Mix(runs[i].Hash);
        for (std::size_t j = i;;) {
            if (IsKey(hash, text, runs[i].Start, runs[j].End, scratch))
                return true;
            if (++j - i == longest_ || !found(j + 1))
                break;
            hash = Mix(Mix(hash ^ GapHash(text, runs[j - 1].End, runs[j].Start)) ^ runs[j].Hash);
        }
    }
    return false;
}

bool TWholeWordSearch::HoldsOther(std::string_view text, TScratch& scratch) const {
    if (otherPhrases_ && NeedsSpacing(text)) {
        scratch.Spaced = SingleSpaced(text);
        text = scratch.Spaced;
    }
    const std::string_view searchable = others_->Searchable(text, scratch.Folded);
    return others_->AnyOccurrence(searchable, [&](int, std::size_t start, std::size_t length) {
        return !WordCharBefore(searchable, start) && !WordCharAt(searchable, start + length);
    });
}
