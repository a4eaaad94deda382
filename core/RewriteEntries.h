#pragma once

#include "core/KeyItems.h"
#include "core/Progress.h"
#include "core/RewriteLog.h"
#include "core/TwoThreads.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every rewrite below notes the texts it replaces in the list's RewriteLog, when it has one.

// Runs rewrite(text, out) on every entry in list order, out empty at each call, and stores out with SetText;
// then lets the list give back storage that the new texts left dead. Reports its progress.
template <class TRewrite> void RewriteEntries(TKeyItems& list, TRewrite&& rewrite) {
    std::string out;
    const int count = list.Count();
    ProgressBegin(static_cast<std::size_t>(count));
    TProgressSteps steps;
    for (int i = 0; i < count; ++i) {
        steps.Element();
        TKeyItemRef item = list.GetKeyItem(i);
        out.clear();
        rewrite(item.Text(), out);
        if (list.RewriteLog && out != item.Text())
            list.RewriteLog->Note(0, i, item.Text());
        item.SetText(out);
    }
    list.CompactIfWasteful();
}

// What write returns for a text that stays as it is.
constexpr std::size_t TextUnchanged = static_cast<std::size_t>(-1);

// Visits every entry, a long list in two parts on two threads: visit(part, index, item, scratch) returns the
// bytes the entry gave up, and the list is told their sum. Each part has a scratch text of its own, on its
// own thread's stack: two side by side would share a cache line that both threads write for every entry.
// Reports its progress; once cancelled, the list is still told what the entries visited so far gave up.
template <class TVisit> void VisitEntriesInParts(TKeyItems& list, TVisit&& visit) {
    // Written as each part ends and told as the whole ends, also when either ends early.
    struct TFreed {
        TKeyItems& List;
        std::array<std::size_t, 2> Parts{};
        ~TFreed() { List.TextBytesFreed(Parts[0] + Parts[1]); }
    } freed{list};
    struct TPartFreed {
        std::size_t& Out;
        std::size_t Bytes = 0;
        ~TPartFreed() { Out = Bytes; }
    };
    const auto count = static_cast<std::size_t>(list.Count());
    ProgressBegin(count);
    InParts(count, [&](unsigned part, unsigned parts) {
        std::string scratch;
        TPartFreed partFreed{freed.Parts[part]};
        const auto [first, last] = PartRange(count, part, parts);
        TProgressSteps steps;
        for (std::size_t i = first; i < last; ++i) {
            steps.Element();
            partFreed.Bytes += visit(part, i, list.GetKeyItem(static_cast<int>(i)), scratch);
        }
    });
}

// Rewrites that never lengthen a text: write(text, out) fills out (room for text.size() bytes) and returns
// the new length, or TextUnchanged without writing. Each text is written over itself, so a long list is
// rewritten on two threads; write must keep no state between calls.
template <class TWrite> void RewriteEntriesInPlace(TKeyItems& list, TWrite&& write) {
    VisitEntriesInParts(
        list, [&](unsigned part, std::size_t index, TKeyItemRef item, std::string& out) -> std::size_t {
            // Only grown: resizing would clear the room of each text anew.
            if (out.size() < item.Text().size())
                out.resize(item.Text().size());
            const std::size_t size = write(item.Text(), out.data());
            if (size == TextUnchanged)
                return 0;
            if (list.RewriteLog && std::string_view(out.data(), size) != item.Text())
                list.RewriteLog->Note(part, static_cast<int>(index), item.Text());
            return item.PutOver({out.data(), size});
        });
    list.CompactIfWasteful();
}

// Rewrites that may change a text's length either way: map(text, out) appends the new text to out (empty at
// each call). Texts that do not grow are written over themselves on two threads; the few that grow are
// stored afterwards, in list order.
template <class TMap> void RewriteEntriesAnyLength(TKeyItems& list, TMap&& map) {
    std::array<std::vector<std::pair<int, std::string>>, 2> grown;
    VisitEntriesInParts(
        list, [&](unsigned part, std::size_t index, TKeyItemRef item, std::string& out) -> std::size_t {
            out.clear();
            map(item.Text(), out);
            if (list.RewriteLog && out != item.Text())
                list.RewriteLog->Note(part, static_cast<int>(index), item.Text());
            if (out.size() <= item.Text().size())
                return item.PutOver(out);
            grown[part].emplace_back(static_cast<int>(index), out);
            return 0;
        });
    for (const auto& part : grown)
        for (const auto& [index, text] : part)
            list.GetKeyItem(index).SetText(text);
    list.CompactIfWasteful();
}
