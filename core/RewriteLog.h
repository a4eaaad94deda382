#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TKeyItems;

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

private:
    struct TPart {
        std::vector<std::int32_t> Rows;
        // Where each row's text ends in Texts.
        std::vector<std::size_t> Ends;
        std::string Texts;

        void Add(int row, std::string_view text);
        std::string_view Text(std::size_t k) const;
    };

    std::array<TPart, Parts> parts_;
};
