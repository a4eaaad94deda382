#pragma once

#include "core/KeyItems.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// The texts that a rewrite of a list's entries replaced, row by row: enough to take the rewrite back, and
// then to make it again, without a copy of the entries it left alone.
class TRewriteLog {
public:
    // A rewrite on two threads notes its two halves apart.
    static constexpr unsigned Parts = 2;

    // Row's text is about to become another.
    void Note(unsigned part, int row, std::string_view text) { parts_[part].Add(row, text); }
    bool Empty() const;
    std::size_t Bytes() const;
    // Puts the noted texts back into their rows and notes the texts they replace instead.
    void Exchange(TKeyItems& list);
    // How many rows are noted.
    std::size_t Rows() const;
    // Fills before, which must be empty, with the entries of list as they were before the rewrite.
    void Before(const TKeyItems& list, TKeyItems& before) const;

private:
    struct TPart {
        std::vector<std::int32_t> Rows;
        // Each row's text, as an entry: their storage grows without moving what it holds.
        TKeyItems Texts;

        void Add(int row, std::string_view text);
        std::string_view Text(std::size_t k) const;
    };

    std::array<TPart, Parts> parts_;
};
