#include "core/EntryFilter.h"

#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/TwoThreads.h"

#include <algorithm>
#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

enum class TFound { Yes, No, Unsure };

std::uint8_t Lowered(std::uint8_t c) {
    return c >= 'A' && c <= 'Z' ? static_cast<std::uint8_t>(c + 32) : c;
}

bool SameLowered(const std::uint8_t* text, std::string_view folded) {
    for (std::size_t k = 0; k < folded.size(); ++k)
        if (Lowered(text[k]) != static_cast<std::uint8_t>(folded[k]))
            return false;
    return true;
}

#ifdef __SSE2__
// Sixteen bytes from bytes on; those from size on are any. Reads past the text only within its memory page,
// which is readable as a whole, as a text's bytes are.
__attribute__((no_sanitize_address)) __m128i Load16(const std::uint8_t* bytes, std::size_t size) {
    constexpr std::uintptr_t Page = 4096;
    if (size >= 16 || (reinterpret_cast<std::uintptr_t>(bytes) & (Page - 1)) <= Page - 16)
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    alignas(16) std::uint8_t copy[16] = {};
    std::copy(bytes, bytes + size, copy);
    return _mm_load_si128(reinterpret_cast<const __m128i*>(copy));
}
#endif

// Whether the text with its ASCII letters lowered holds the folded text. Such a find is a find of the folded
// text in the folded entry, since every other character of the folded text is folded already. Not finding it
// settles the question only for an ASCII text: beyond ASCII, other spellings fold alike (ſ and s).
TFound FindLowered(std::string_view text, std::string_view folded) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t size = text.size();
    const auto first = static_cast<std::uint8_t>(folded[0]);
    const std::string_view rest = folded.substr(1);
    // Where the folded text can begin: not past this many bytes.
    const std::size_t starts = size >= folded.size() ? size - folded.size() + 1 : 0;
    unsigned beyondAscii = 0;
#ifdef __SSE2__
    const __m128i beforeA = _mm_set1_epi8('A' - 1);
    const __m128i afterZ = _mm_set1_epi8('Z' + 1);
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i wanted = _mm_set1_epi8(static_cast<char>(first));
    for (std::size_t i = 0; i < size; i += 16) {
        const __m128i chunk = Load16(bytes + i, size - i);
        const unsigned valid = size - i >= 16 ? 0xFFFFu : (1u << (size - i)) - 1;
        beyondAscii |= static_cast<unsigned>(_mm_movemask_epi8(chunk)) & valid;
        // Signed compares: bytes beyond ASCII are negative and stay as they are.
        const __m128i upper = _mm_and_si128(_mm_cmpgt_epi8(chunk, beforeA), _mm_cmplt_epi8(chunk, afterZ));
        const __m128i lowered = _mm_or_si128(chunk, _mm_and_si128(upper, caseBit));
        auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(lowered, wanted))) & valid;
        for (; hits != 0; hits &= hits - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits));
            if (at >= starts)
                break;
            if (SameLowered(bytes + at + 1, rest))
                return TFound::Yes;
        }
    }
#else
    for (std::size_t i = 0; i < size; ++i) {
        beyondAscii |= bytes[i] & 0x80u;
        if (i < starts && Lowered(bytes[i]) == first && SameLowered(bytes + i + 1, rest))
            return TFound::Yes;
    }
#endif
    return beyondAscii != 0 ? TFound::Unsure : TFound::No;
}

// The rows the results of earlier texts may hold together, as a multiple of the list's entries.
constexpr std::size_t KeptResultsPerEntry = 3;

} // namespace

void TEntryFilter::Start(std::string_view text, bool listChanged) {
    folded_ = Folded(text);
    if (listChanged)
        typed_.clear();
    search_.reset();
    matches_.clear();
    next_ = 0;
    result_ = -1;
    done_ = true;
    if (folded_.empty())
        return;
    const auto same = std::find_if(typed_.begin(), typed_.end(),
                                   [&](const TResult& typed) { return typed.Folded == folded_; });
    if (same != typed_.end()) {
        result_ = static_cast<int>(same - typed_.begin());
        return;
    }
    // Every entry holding the longer text holds the shorter one it contains: the search narrows the result
    // of the longest earlier text the new one holds.
    while (!typed_.empty() && folded_.find(typed_.back().Folded) == std::string::npos)
        typed_.pop_back();
    narrowing_ = !typed_.empty();
    lowered_ = !IsTurkicLocale();
    search_ = std::make_unique<TTermSearch>(std::vector<std::string>{std::string(text)});
    done_ = false;
}

bool TEntryFilter::Contains(std::string_view text, std::string& scratch) const {
    if (lowered_) {
        const TFound found = FindLowered(text, folded_);
        if (found != TFound::Unsure)
            return found == TFound::Yes;
    }
    return search_->ContainsAny(search_->Searchable(text, scratch));
}

bool TEntryFilter::Advance(const TKeyItems& list, int rows) {
    if (done_)
        return true;
    const int count = list.Count();
    const TFilterRows* candidates = narrowing_ ? typed_.back().Rows.get() : nullptr;
    const std::size_t total = candidates ? candidates->size() : static_cast<std::size_t>(count);
    if (next_ == 0)
        matches_.reserve(total);
    const std::size_t end = std::min(total, next_ + static_cast<std::size_t>(std::max(rows, 0)));
    const std::size_t first = next_;
    // Each part finds its own rows; part 0 holds the lower ones, so appending keeps them ascending.
    std::array<std::string, 2> scratch;
    // A slice too short for two parts leaves the second part's rows empty, not as the slice before left them.
    for (std::vector<std::int32_t>& found : found_)
        found.clear();
    InParts(end - first, [&](unsigned part, unsigned parts) {
        const auto [from, to] = PartRange(end - first, part, parts);
        std::vector<std::int32_t>& found = found_[part];
        for (std::size_t i = first + from; i < first + to; ++i) {
            const int row = candidates ? (*candidates)[i] : static_cast<int>(i);
            if (row < count && Contains(list.GetKeyItem(row).Text(), scratch[part]))
                found.push_back(row);
        }
    });
    for (const auto& rowsFound : found_)
        matches_.insert(matches_.end(), rowsFound.begin(), rowsFound.end());
    next_ = end;
    done_ = end == total;
    if (done_)
        Keep(static_cast<std::size_t>(count));
    return done_;
}

void TEntryFilter::Keep(std::size_t listCount) {
    search_.reset();
    typed_.push_back({folded_, std::make_shared<const TFilterRows>(std::move(matches_))});
    matches_ = {};
    // The widest results go first when the kept ones grow too large; the newest stays.
    std::size_t kept = 0;
    for (const TResult& typed : typed_)
        kept += typed.Rows->size();
    std::size_t dropped = 0;
    while (dropped + 1 < typed_.size() && kept > KeptResultsPerEntry * listCount)
        kept -= typed_[dropped++].Rows->size();
    typed_.erase(typed_.begin(), typed_.begin() + static_cast<std::ptrdiff_t>(dropped));
    result_ = static_cast<int>(typed_.size()) - 1;
}

std::shared_ptr<const TFilterRows> TEntryFilter::Result() const {
    if (result_ < 0)
        return std::make_shared<const TFilterRows>(matches_);
    return typed_[static_cast<std::size_t>(result_)].Rows;
}
