#include "core/EntryFilter.h"

#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/TwoThreads.h"

#include <algorithm>

namespace {

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
    unsure_ = LoweredFind::TUnsureBytes(folded_);
    search_ = std::make_unique<TTermSearch>(std::vector<std::string>{std::string(text)});
    done_ = false;
}

// Asked of every entry of a long list: inlined into the loop, where a call cost a tenth of the search.
[[gnu::always_inline]] inline bool TEntryFilter::Contains(std::string_view text, std::string& scratch) const {
    if (lowered_) {
        const LoweredFind::TFound found = LoweredFind::FindLowered(text, folded_, unsure_);
        if (found != LoweredFind::TFound::Unsure)
            return found == LoweredFind::TFound::Yes;
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
        TakeSpare(total);
    const std::size_t end = std::min(total, next_ + static_cast<std::size_t>(std::max(rows, 0)));
    const std::size_t first = next_;
    // Each part finds its own rows; part 0 holds the lower ones, so appending keeps them ascending.
    std::array<std::string, 2> scratch;
    // A slice too short for two parts leaves the second part's rows empty, not as the slice before left them.
    for (TPartRows& found : found_)
        found.Count = 0;
    InParts(end - first, [&](unsigned part, unsigned parts) {
        const auto [from, to] = PartRange(end - first, part, parts);
        TPartRows& found = found_[part];
        // Left as it comes: every row is written before it is read.
        if (found.Rows.size() < to - from)
            found.Rows = TLargeArray<std::int32_t>(to - from);
        std::int32_t* const rowsFound = found.Rows.get();
        std::size_t kept = 0;
        // Every row is written and only a find kept: a branch on finds half of the entries would mispredict.
        for (std::size_t i = first + from; i < first + to; ++i) {
            const int row = candidates ? (*candidates)[i] : static_cast<int>(i);
            rowsFound[kept] = row;
            kept += row < count && Contains(list.GetKeyItem(row).Text(), scratch[part]) ? 1 : 0;
        }
        found.Count = kept;
    });
    for (const TPartRows& found : found_)
        matches_.insert(matches_.end(), found.Rows.get(), found.Rows.get() + found.Count);
    next_ = end;
    done_ = end == total;
    if (done_)
        Keep(static_cast<std::size_t>(count));
    return done_;
}

void TEntryFilter::Keep(std::size_t listCount) {
    search_.reset();
    // Whoever lets go of the rows last hands their storage to the next search.
    std::shared_ptr<const TFilterRows> rows(
        new TFilterRows(std::move(matches_)), [spare = spare_](const TFilterRows* held) {
            const std::unique_ptr<TFilterRows> owned(const_cast<TFilterRows*>(held));
            spare->Give(std::move(*owned));
        });
    typed_.push_back({folded_, std::move(rows)});
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

void TEntryFilter::TakeSpare(std::size_t total) {
    if (matches_.capacity() >= total)
        return;
    TFilterRows spare = spare_->Take();
    // Storage far larger than the search can fill is let go rather than held on to.
    if (spare.capacity() >= total && spare.capacity() <= 2 * total)
        matches_ = std::move(spare);
    matches_.reserve(total);
}

void TEntryFilter::TSpare::Give(TFilterRows rows) {
    rows.clear();
    const std::lock_guard lock(mutex_);
    if (rows.capacity() > rows_.capacity())
        std::swap(rows, rows_);
}

TFilterRows TEntryFilter::TSpare::Take() {
    const std::lock_guard lock(mutex_);
    return std::exchange(rows_, {});
}

std::shared_ptr<const TFilterRows> TEntryFilter::Result() const {
    if (result_ < 0)
        return std::make_shared<const TFilterRows>(matches_);
    return typed_[static_cast<std::size_t>(result_)].Rows;
}
