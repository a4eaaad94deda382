#pragma once

#include "KeyItems.h"

#include <string>
#include <string_view>

// Runs rewrite(text, out) on every entry in list order, out empty at each call, and stores out with SetText;
// then lets the list give back storage that the new texts left dead.
template <class TRewrite> void RewriteEntries(TKeyItems& list, TRewrite&& rewrite) {
    std::string out;
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        TKeyItem& item = list.GetKeyItem(i);
        out.clear();
        rewrite(item.Text(), out);
        item.SetText(out);
    }
    list.CompactIfWasteful();
}

// Rewrites that never lengthen a text: write(text, out) fills out (room for text.size() bytes) and returns
// the new length.
template <class TWrite> void RewriteEntriesInPlace(TKeyItems& list, TWrite&& write) {
    RewriteEntries(list, [&](std::string_view text, std::string& out) {
        out.resize(text.size());
        out.resize(write(text, out.data()));
    });
}
