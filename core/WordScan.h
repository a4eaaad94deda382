#pragma once

#include "core/WordRules.h"

#include <string_view>

// Calls visit(word) for each run of characters between word blanks, in order.
template <class TVisit> void ForEachWord(std::string_view text, TVisit&& visit) {
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (const std::size_t blank = BlankLength(text, i)) {
            if (i > start)
                visit(text.substr(start, i - start));
            i += blank;
            start = i;
        } else {
            ++i;
        }
    }
    if (i > start)
        visit(text.substr(start, i - start));
}
