#pragma once

#include "core/TermSearch.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TKeyItems;

// Finds the entries of a list whose text contains a text, ignoring case, a slice of entries at a time so that
// its caller can stay responsive and abandon a search for a newer one. A text that extends the previous one
// (typing on) reads only the entries the previous complete search found.
class TEntryFilter {
public:
    // Starts a search for text, abandoning any other. listChanged: the list is no longer the one the previous
    // search read, so none of its results may be reused. An empty text finds nothing and is done at once.
    void Start(std::string_view text, bool listChanged);
    // Reads up to rows more entries, on two threads where that pays; whether the search is complete.
    bool Advance(const TKeyItems& list, int rows);
    bool Done() const { return done_; }
    // Ascending rows of the entries found; all of them once Done.
    const std::vector<std::int32_t>& Matches() const { return matches_; }

private:
    std::string folded_;
    std::unique_ptr<TTermSearch> search_;
    // The rows still to read when narrowing a previous search; empty otherwise.
    std::vector<std::int32_t> candidates_;
    bool narrowing_ = false;
    std::size_t next_ = 0;
    std::vector<std::int32_t> matches_;
    bool done_ = true;
};
