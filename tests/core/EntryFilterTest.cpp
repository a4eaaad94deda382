#include "core/EntryFilter.h"
#include "core/EntryFilterThread.h"

#include "core/CaseFolding.h"
#include "core/KeyItems.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"
#include "tests/core/RandomText.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

namespace {

// ASCII in both cases next to characters that fold onto ASCII (long s, Kelvin sign) or beyond it.
constexpr std::string_view Alphabet =
    "aAsSkKbB -i\xC5\xBF\xE2\x84\xAA\xC3\x9F\xC3\xA9\xC3\x89\xCF\x83\xCE\xA3";
// Only ASCII, where not finding the text settles the question without folding the entry.
constexpr std::string_view AsciiAlphabet = "aAsSkKbB -i";

std::vector<std::int32_t> Naive(const TKeyItems& list, std::string_view text) {
    const std::string term = Folded(text);
    std::vector<std::int32_t> rows;
    for (int row = 0; row < list.Count() && !term.empty(); ++row)
        if (Folded(list.GetKeyItem(row).Text()).find(term) != std::string::npos)
            rows.push_back(row);
    return rows;
}

std::vector<std::int32_t> Search(TEntryFilter& filter, const TKeyItems& list, std::string_view text,
                                 bool listChanged, int step) {
    filter.Start(text, listChanged);
    while (!filter.Advance(list, step)) {
    }
    return {filter.Matches().begin(), filter.Matches().end()};
}

// Texts short and long (past the width read at once), typed on, deleted back, replaced and searched again
// after the list changed: the rows found are those a folded comparison finds, in the root and a Turkish
// locale, whether a slice reads few entries or all.
TEST(EntryFilterTest, FindsWhatAFoldedComparisonFinds) {
    using TCase = std::pair<const char*, std::string_view>;
    for (const auto& [locale, alphabet] :
         {TCase{"", Alphabet}, TCase{"tr_TR", Alphabet}, TCase{"", AsciiAlphabet}}) {
        SetTextLocale(locale);
        TRandomText random(18);
        TKeyItems list;
        for (const auto& text : random.Texts(alphabet, 4000, 40))
            list.AddKeyword(text);
        TEntryFilter filter;
        std::string text;
        bool changed = true;
        for (int step = 0; step < 300; ++step) {
            const std::size_t move = random.Below(10);
            if (move < 5) {
                text += random.Text(alphabet, 1);
            } else if (move < 7 && !text.empty()) {
                text.erase(Utf8::PreviousStart(text, text.size()));
            } else if (move < 8) {
                // A piece of an entry, so that long texts are found too.
                const std::string_view entry = list.GetKeyItem(static_cast<int>(random.Below(4000))).Text();
                std::size_t from = 0;
                for (std::size_t skip = random.Below(8); skip > 0 && from < entry.size(); --skip)
                    Utf8::Next(entry, from);
                text = std::string(Utf8::CutAtChar(entry.substr(from), random.Below(24)));
            } else if (move < 9) {
                list.GetKeyItem(static_cast<int>(random.Below(4000))).SetText(random.Text(alphabet, 30));
                changed = true;
            } else {
                text.clear();
            }
            const int slice = random.Below(2) ? 4000 : 1 + static_cast<int>(random.Below(700));
            ASSERT_EQ(Search(filter, list, text, std::exchange(changed, false), slice), Naive(list, text))
                << "locale '" << locale << "', text '" << text << "'";
        }
    }
    SetTextLocale("");
}

// A slice long enough for two threads and a shorter one after it find each entry once.
TEST(EntryFilterTest, SlicesOfUnevenLengthFindEachEntryOnce) {
    TRandomText random(9);
    TKeyItems list;
    for (const auto& text : random.Texts(Alphabet, 70000, 6))
        list.AddKeyword(text);
    TEntryFilter filter;
    EXPECT_EQ(Search(filter, list, "s", true, 1 << 16), Naive(list, "s"));
}

// Rows a holder keeps (the view showing them) stay as they are while later searches run; only rows that
// nobody holds any more lend their storage to a later search.
TEST(EntryFilterTest, HeldResultsStayAsTheyWere) {
    TRandomText random(5);
    TKeyItems list;
    for (const auto& text : random.Texts(AsciiAlphabet, 30000, 10))
        list.AddKeyword(text);
    TEntryFilter filter;
    Search(filter, list, "a", true, 1 << 16);
    const std::shared_ptr<const TFilterRows> held = filter.Result();
    const std::vector<std::int32_t> expected = Naive(list, "a");
    for (const char* text : {"b", "s", "k", "a", "ab", "b"}) {
        EXPECT_EQ(Search(filter, list, text, true, 1 << 16), Naive(list, text)) << text;
        ASSERT_EQ(std::vector<std::int32_t>(held->begin(), held->end()), expected) << "after " << text;
    }
}

// On its own thread: a list changed after Stop is read afresh, also when the search told of the change is
// replaced before it starts, and each complete search reports what a folded comparison finds.
TEST(EntryFilterTest, ThreadSearchesTheChangedList) {
    TRandomText random(7);
    TKeyItems list;
    const auto fill = [&] {
        list.Clear();
        for (const auto& text : random.Texts(Alphabet, 20000, 12))
            list.AddKeyword(text);
    };
    std::mutex mutex;
    std::condition_variable reported;
    std::map<std::uint64_t, std::vector<std::int32_t>> found;
    TEntryFilterThread thread([&](std::uint64_t search, TEntryFilterThread::TRows rows) {
        const std::lock_guard lock(mutex);
        found[search] = {rows->begin(), rows->end()};
        reported.notify_all();
    });
    const auto result = [&](std::uint64_t search) {
        std::unique_lock lock(mutex);
        reported.wait(lock, [&] { return found.contains(search); });
        return found[search];
    };
    fill();
    EXPECT_EQ(result(thread.Search(list, "s")), Naive(list, "s"));
    for (int round = 0; round < 3; ++round) {
        thread.Stop();
        fill();
        thread.ListChanged();
        thread.Search(list, "s");
        EXPECT_EQ(result(thread.Search(list, "sk")), Naive(list, "sk"));
        EXPECT_EQ(result(thread.Search(list, "s")), Naive(list, "s"));
    }
}

} // namespace
