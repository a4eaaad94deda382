#pragma once

#include "core/LargeBuffer.h"
#include "core/LoweredFind.h"
#include "core/TermSearch.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class TKeyItems;

// Ascending rows of a list: long results take storage straight from the system, on huge pages where it
// gives them, so that a search on the filter's own thread faults in few pages.
using TFilterRows = TLargeVector<std::int32_t>;

// Finds the entries of a list whose text contains a text, ignoring case, a slice of entries at a time so that
// its caller can stay responsive and abandon a search for a newer one. A text that extends the previous one
// (typing on) reads only the entries the previous complete search found; a text searched before on the
// unchanged list (deleting back) takes its result again without reading any entry.
class TEntryFilter {
public:
    // Starts a search for text, abandoning any other. listChanged: the list is no longer the one the previous
    // searches read, so none of their results may be reused. An empty text finds nothing and is done at once.
    void Start(std::string_view text, bool listChanged);
    // Reads up to rows more entries, on two threads where that pays; whether the search is complete.
    bool Advance(const TKeyItems& list, int rows);
    bool Done() const { return done_; }
    // Ascending rows of the entries found; all of them once Done.
    const TFilterRows& Matches() const {
        return result_ < 0 ? matches_ : *typed_[static_cast<std::size_t>(result_)].Rows;
    }
    // Matches of a search that is Done, shared rather than copied; they stay as they are while held.
    std::shared_ptr<const TFilterRows> Result() const;

private:
    struct TResult {
        std::string Folded;
        std::shared_ptr<const TFilterRows> Rows;
    };

    // The storage of results that nobody holds any more, the largest one, for the next search to fill: fresh
    // pages cost this system more than the search that fills them. Results are let go on any thread.
    class TSpare {
    public:
        void Give(TFilterRows rows);
        TFilterRows Take();

    private:
        std::mutex mutex_;
        TFilterRows rows_;
    };

    bool Contains(std::string_view text, std::string& scratch) const;
    // Room in matches_ for total rows.
    void TakeSpare(std::size_t total);
    void Keep(std::size_t listCount);

    std::string folded_;
    // Whether an entry's text can be searched as ASCII lower case first: not where the locale folds I to ı.
    bool lowered_ = false;
    LoweredFind::TUnsureBytes unsure_;
    std::unique_ptr<TTermSearch> search_;
    // The complete results of texts typed one after another on the unchanged list, each text holding the one
    // before it; the search narrows the last one.
    std::vector<TResult> typed_;
    std::shared_ptr<TSpare> spare_ = std::make_shared<TSpare>();
    bool narrowing_ = false;
    std::size_t next_ = 0;
    TFilterRows matches_;
    // The rows one part of a slice found.
    struct TPartRows {
        TLargeArray<std::int32_t> Rows;
        std::size_t Count = 0;
    };
    std::array<TPartRows, 2> found_;
    // Which of typed_ is the result, or -1 for matches_.
    int result_ = -1;
    bool done_ = true;
};
