#pragma once

#include "KeyItems.h"
#include "Parts.h"

#include <array>
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

// What write returns for a text that stays as it is.
constexpr std::size_t TextUnchanged = static_cast<std::size_t>(-1);

// Rewrites that never lengthen a text: write(text, out) fills out (room for text.size() bytes) and returns
// the new length, or TextUnchanged without writing. Each text is written over itself, so a long list is
// rewritten on two threads; write must keep no state between calls.
template <class TWrite> void RewriteEntriesInPlace(TKeyItems& list, TWrite&& write) {
    std::array<std::size_t, 2> freed{};
    InParts(static_cast<std::size_t>(list.Count()), [&](unsigned part, unsigned parts) {
        std::string out;
        std::size_t partFreed = 0;
        const auto [first, last] = PartRange(static_cast<std::size_t>(list.Count()), part, parts);
        for (std::size_t i = first; i < last; ++i) {
            TKeyItem& item = list.GetKeyItem(static_cast<int>(i));
            out.resize(item.Text().size());
            const std::size_t size = write(item.Text(), out.data());
            if (size != TextUnchanged)
                partFreed += item.PutOver({out.data(), size});
        }
        freed[part] = partFreed;
    });
    list.TextBytesFreed(freed[0] + freed[1]);
    list.CompactIfWasteful();
}
