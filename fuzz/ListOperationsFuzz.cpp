// Every keyword-list operation on random entries with random parameters, run on two lists side by side with
// their plain models: each result must be the model's, or, where the order or the survivor is free, meet
// the rules (counts kept, entries only appended, Highlighted ascending and unique, word counts cached
// until the text changes, nothing changed when a command is refused for its size).
#include "fuzz/FuzzSupport.h"
#include "fuzz/ReferenceList.h"
#include "fuzz/SearchAndRulesCheck.h"

#include "core/Clipboard.h"
#include "core/Collation.h"
#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <set>

namespace {

using Plain::TTexts;

// Beyond these the run stops: the point is variety, not volume.
constexpr int MaxEntries = 20000;
constexpr std::size_t MaxTextBytes = 2 << 20;

class TRecordingClipboard : public IClipboard {
public:
    bool SetText(std::string_view value) override {
        text = value;
        return true;
    }
    std::string text;
};

struct TSide {
    TKeyItems List;
    TTexts Model;
};

std::vector<int> Indices(const TIntList& list) {
    return {list.begin(), list.end()};
}

bool AscendingUnique(const std::vector<int>& indices) {
    return std::adjacent_find(indices.begin(), indices.end(), std::greater_equal<>()) == indices.end();
}

std::string IndexError(long long value) {
    return "List index out of bounds (" + std::to_string(value) + ")";
}

// The first index of Highlighted that names no entry, if any.
std::optional<long long> FirstBadIndex(const std::vector<int>& indices, std::size_t count) {
    for (int i : indices)
        if (i < 0 || static_cast<std::size_t>(i) >= count)
            return i;
    return std::nullopt;
}

TTexts Picked(const TTexts& texts, const std::vector<int>& indices) {
    TTexts picked;
    for (int i : indices)
        picked.push_back(texts[static_cast<std::size_t>(i)]);
    return picked;
}

TCharSet DrawCharSet(FuzzedDataProvider& in) {
    TCharSet set;
    const std::string text = DrawText(in, 6);
    for (std::size_t i = 0; i < text.size();)
        set.Include(Utf8::Next(text, i));
    return set;
}

// The locales whose rules differ: root, Turkish i, Russian and Greek collation and case.
void DrawLocale(FuzzedDataProvider& in) {
    static constexpr const char* Locales[] = {"", "en_US", "tr_TR", "ru_RU", "el_GR", "de_DE"};
    SetTextLocale(Locales[in.ConsumeIntegralInRange<std::size_t>(0, std::size(Locales) - 1)]);
}

std::size_t DrawBudget(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? DefaultMemoryBudget : in.ConsumeIntegralInRange<std::size_t>(0, 1 << 16);
}

class TListFuzz {
public:
    explicit TListFuzz(FuzzedDataProvider& in) : in_(in) {
        a_.List.Name = "A";
        b_.List.Name = "B";
        DrawLocale(in_);
    }
    ~TListFuzz() { SetTextLocale(""); }

    void Run() {
        for (int step = 0; in_.remaining_bytes() > 0 && Small(); ++step) {
            if (step % 2 == 0)
                FillWordCounts(a_.List);
            RunOne(in_.ConsumeIntegralInRange(0, 26));
            CheckSide(a_);
            CheckSide(b_);
        }
    }

private:
    bool Small() const {
        return a_.List.Count() + b_.List.Count() <= MaxEntries &&
               a_.List.TextBytes() + b_.List.TextBytes() <= MaxTextBytes;
    }

    TSide& DrawSide() { return in_.ConsumeBool() ? a_ : b_; }

    static void FillWordCounts(const TKeyItems& list) {
        for (int i = 0; i < list.Count(); i += 2)
            list.GetKeyItem(i).WordCount();
    }

    // Every list keeps its name, settings and sort order, and its entries are its model's, each with a word
    // count that is either not yet computed or right.
    void CheckSide(const TSide& side) const {
        Require(side.List.Name == (&side == &a_ ? "A" : "B"), "name changed");
        Require(Texts(side.List) == side.Model, "entries differ from the model");
        for (const auto& t : side.Model)
            Require(Utf8::IsValid(t), "an entry is not well-formed UTF-8");
        for (int i = 0; i < side.List.Count(); ++i) {
            const TKeyItem& item = side.List.GetKeyItem(i);
            Require(item.CachedWordCount() == -1 || item.CachedWordCount() == Plain::CountWords(item.Text()),
                    "a stale word count");
        }
        Require(
            side.List.TextBytes() >=
                [&] {
                    std::size_t bytes = 0;
                    for (const auto& t : side.Model)
                        bytes += t.size();
                    return bytes;
                }(),
            "text bytes fewer than the texts hold");
    }

    // An operation that rewrites entries or appends new ones: the old entries keep their place, and an entry
    // keeps its cached word count exactly when its text is unchanged.
    template <class Operation> void Rewrite(TSide& side, TTexts expected, Operation operation) {
        const TTexts before = side.Model;
        std::vector<int> cached;
        for (int i = 0; i < side.List.Count(); ++i)
            cached.push_back(side.List.GetKeyItem(i).CachedWordCount());
        const std::uint8_t sortOrder = side.List.SortOrder;
        const std::vector<int> highlighted = Indices(side.List.Highlighted);
        operation();
        side.Model = std::move(expected);
        Require(Texts(side.List) == side.Model, "rewritten entries differ from the model");
        Require(side.List.Count() >= static_cast<int>(before.size()), "a rewrite lost entries");
        for (int i = 0; i < side.List.Count(); ++i) {
            const int now = side.List.GetKeyItem(i).CachedWordCount();
            const auto k = static_cast<std::size_t>(i);
            const bool kept = k < before.size() && before[k] == side.Model[k];
            Require(now == (kept ? cached[k] : -1), "word count cache not kept exactly for unchanged texts");
        }
        Require(side.List.SortOrder == sortOrder && Indices(side.List.Highlighted) == highlighted,
                "a rewrite touched the sort order or Highlighted");
    }

    // A command that may be refused for its size: refused, it changes nothing at all.
    template <class Operation> void Growing(TSide& side, TTexts expected, Operation operation) {
        const TTexts a = Texts(a_.List);
        const TTexts b = Texts(b_.List);
        try {
            Rewrite(side, std::move(expected), operation);
        } catch (const EMemoryBudgetError&) {
            Require(Texts(a_.List) == a && Texts(b_.List) == b, "a refused command changed a list");
        }
    }

    void RunOne(int operation) {
        TSide& side = DrawSide();
        TKeyItems& list = side.List;
        const TTexts& model = side.Model;
        switch (operation) {
        case 0: {
            const TTexts texts = DrawTexts(in_, 12, 24);
            TTexts expected = model;
            expected.insert(expected.end(), texts.begin(), texts.end());
            Rewrite(side, expected, [&] {
                for (const auto& t : texts)
                    list.AddKeyword(t);
            });
            break;
        }
        case 1: {
            TTexts terms = DrawTexts(in_, 4, 4);
            std::erase(terms, "");
            Rewrite(side, Plain::RemoveTerms(model, terms), [&] { list.RemoveTerms(terms); });
            break;
        }
        case 2:
            Rewrite(side, Plain::CollapseSpaces(model), [&] { list.CollapseSpaces(); });
            break;
        case 3:
            Rewrite(side, Plain::CollapseRepeats(model), [&] { list.CollapseRepeats(); });
            break;
        case 4: {
            const TCharSet chars = DrawCharSet(in_);
            Rewrite(side, Plain::RemoveChars(model, chars), [&] { list.RemoveChars(chars); });
            break;
        }
        case 5: {
            const TCharSet chars = DrawCharSet(in_);
            Rewrite(side, Plain::TrimChars(model, chars), [&] { list.TrimChars(chars); });
            break;
        }
        case 6: {
            const std::string text = DrawText(in_, 6);
            const bool atStart = in_.ConsumeBool();
            const bool asNew = in_.ConsumeBool();
            const std::size_t budget = DrawBudget(in_);
            Growing(side, Plain::AddText(model, text, atStart, asNew), [&] {
                if (atStart)
                    list.PrependText(text, asNew, budget);
                else
                    list.AppendText(text, asNew, budget);
            });
            break;
        }
        case 7:
            if (in_.ConsumeBool())
                Rewrite(side, TransformEach(model, Plain::LowerCase), [&] { list.ToLowerCase(); });
            else
                Rewrite(side, TransformEach(model, Plain::UpperCase), [&] { list.ToUpperCase(); });
            break;
        case 8:
            Rewrite(side, Plain::CapitalizeWords(model), [&] { list.CapitalizeWords(); });
            break;
        case 9: {
            const std::string find = DrawText(in_, 4);
            const std::string replacement = DrawText(in_, 4);
            Rewrite(side, Plain::ReplaceText(model, find, replacement),
                    [&] { list.ReplaceText(find, replacement); });
            break;
        }
        case 10: {
            const auto type = in_.ConsumeIntegral<std::uint8_t>();
            Rewrite(side, Plain::SetMatchType(model, type), [&] { list.SetMatchType(type); });
            break;
        }
        case 11: {
            const std::string find = DrawText(in_, 4);
            const std::string replacement = DrawText(in_, 4);
            const std::size_t budget = DrawBudget(in_);
            TTexts expected = model;
            for (auto& t : Plain::ReplacedCopies(model, find, replacement))
                expected.push_back(t);
            Growing(side, expected, [&] { list.ReplaceAndDuplicate(find, replacement, budget); });
            break;
        }
        case 12:
            AddMatchTypeCopies(side);
            break;
        case 13:
        case 14:
            Multiply(side, operation == 13);
            break;
        case 15:
        case 16:
            Highlight(side, operation == 15);
            break;
        case 17:
            DeleteHighlighted(side);
            break;
        case 18: {
            const TTexts before = model;
            const int removed = list.RemoveDuplicates();
            CheckDeduplicated(side, before, removed);
            break;
        }
        case 19:
            Sort(side);
            break;
        case 20:
            ExportToClipboard(side);
            break;
        case 21:
            ExportToList(side);
            break;
        case 22:
            list.Clear();
            side.Model.clear();
            break;
        case 23:
            a_.List.SwapEntries(b_.List);
            std::swap(a_.Model, b_.Model);
            break;
        case 24:
            Inflate(side);
            break;
        case 25:
            DrawLocale(in_);
            break;
        default:
            CheckMultiPatternSearch(in_);
            CheckTextRules(in_);
            CheckWordRules(in_);
            break;
        }
    }

    static TTexts TransformEach(const TTexts& texts, std::string (*transform)(std::string_view)) {
        TTexts result;
        for (const auto& t : texts)
            result.push_back(transform(t));
        return result;
    }

    // Long texts appended and later shrunk leave most of a list's storage dead, which makes it compact.
    void Inflate(TSide& side) {
        const std::string piece = DrawText(in_, 3);
        const std::string text = [&] {
            std::string t;
            const auto times = in_.ConsumeIntegralInRange<std::size_t>(0, 1 << 14);
            for (std::size_t i = 0; i < times && !piece.empty(); ++i)
                t += piece;
            return t;
        }();
        Rewrite(side, Plain::AddText(side.Model, text, false, false),
                [&] { side.List.AppendText(text, false); });
    }

    void AddMatchTypeCopies(TSide& side) {
        const std::uint8_t type = in_.ConsumeBool() ? 0 : 1;
        const std::size_t budget = DrawBudget(in_);
        TTexts before = side.Model;
        for (auto& t : Plain::MatchTypeCopies(side.Model, type))
            before.push_back(t);
        const TTexts unchanged = side.Model;
        try {
            side.List.AddMatchTypeCopies(type, budget);
        } catch (const EMemoryBudgetError&) {
            Require(Texts(side.List) == unchanged, "a refused command changed the list");
            return;
        }
        CheckDeduplicated(side, before, -1);
    }

    // After removing duplicates: Highlighted holds the removed indices, ascending; the survivors keep their
    // order and text, no two are equal ignoring case, and every text of before is still there in some case.
    void CheckDeduplicated(TSide& side, const TTexts& before, int removed) {
        const std::vector<int> gone = Indices(side.List.Highlighted);
        Require(AscendingUnique(gone) && !FirstBadIndex(gone, before.size()),
                "removed indices not ascending");
        Require(removed < 0 || removed == static_cast<int>(gone.size()), "wrong count of duplicates");
        TTexts survivors = before;
        Plain::DeleteIndices(survivors, gone);
        Require(Texts(side.List) == survivors, "survivors differ from the entries not removed");
        std::set<std::string> foldedBefore, foldedAfter;
        for (const auto& t : before)
            foldedBefore.insert(Plain::Folded(t));
        for (const auto& t : survivors)
            foldedAfter.insert(Plain::Folded(t));
        Require(foldedAfter.size() == survivors.size(), "duplicates left");
        Require(foldedAfter == foldedBefore, "a text lost with its duplicates");
        side.Model = survivors;
    }

    void Multiply(TSide& side, bool misspell) {
        TSide& target = DrawSide();
        // A few short phrases: variants grow with the square of a phrase's length, orders with the factorial
        // of its words.
        TTexts phrases = in_.ConsumeBool() ? DrawTexts(in_, 3, 10) : side.Model;
        if (phrases.size() > 6)
            phrases.resize(6);
        for (auto& p : phrases)
            p = std::string(Utf8::CutAtChar(p, 40));
        const std::size_t budget = DrawBudget(in_);
        TTexts expected = target.Model;
        if (misspell) {
            const int kinds = in_.ConsumeIntegralInRange(0, 15);
            for (auto& t : Plain::Misspellings(phrases, kinds))
                expected.push_back(t);
            Growing(target, expected, [&] { AddMisspellings(phrases, kinds, target.List, budget); });
        } else {
            const int limit = in_.ConsumeIntegralInRange(-1, 6);
            for (auto& t : Plain::Recombinations(phrases, limit))
                expected.push_back(t);
            Growing(target, expected, [&] { RecombineWords(phrases, limit, target.List, budget); });
        }
    }

    void Highlight(TSide& side, bool byTerms) {
        if (in_.ConsumeBool())
            side.List.Highlighted.Clear();
        std::vector<int> expected = Indices(side.List.Highlighted);
        std::vector<int> picked;
        if (byTerms) {
            TTexts terms = DrawTexts(in_, 4, 4);
            std::erase(terms, "");
            const auto position = static_cast<std::uint8_t>(in_.ConsumeIntegralInRange(0, 4));
            picked = Plain::PickByTerms(side.Model, terms, position);
            side.List.HighlightByTerms(terms, position);
        } else {
            const int n = in_.ConsumeIntegralInRange(-1, 6);
            const auto comparison = static_cast<std::uint8_t>(in_.ConsumeIntegralInRange(0, 3));
            picked = Plain::PickByWordCount(side.Model, n, comparison);
            side.List.HighlightByWordCount(n, comparison);
        }
        Require(AscendingUnique(picked), "the model picks out of order");
        expected.insert(expected.end(), picked.begin(), picked.end());
        Require(Indices(side.List.Highlighted) == expected, "picked indices differ from the model");
    }

    // Highlighted as the view fills it (ascending, in range), or anything at all.
    void DrawHighlighted(TSide& side) {
        TIntList& highlighted = side.List.Highlighted;
        highlighted.Clear();
        const int count = side.List.Count();
        switch (in_.ConsumeIntegralInRange(0, 2)) {
        case 0:
            for (int i = 0; i < count; ++i)
                if (in_.ConsumeBool())
                    highlighted.Add(i);
            break;
        case 1: {
            std::set<int> indices;
            for (int n = in_.ConsumeIntegralInRange(0, 6); n > 0; --n)
                indices.insert(in_.ConsumeIntegralInRange(-2, count + 1));
            for (int i : indices)
                highlighted.Add(i);
            break;
        }
        default:
            for (int n = in_.ConsumeIntegralInRange(0, 6); n > 0; --n)
                highlighted.Add(in_.ConsumeIntegralInRange(-2, count + 1));
            break;
        }
    }

    void DeleteHighlighted(TSide& side) {
        DrawHighlighted(side);
        const std::vector<int> indices = Indices(side.List.Highlighted);
        const std::optional<long long> bad = Plain::DeleteIndices(side.Model, indices);
        std::optional<std::string> raised;
        try {
            side.List.DeleteHighlighted();
        } catch (const EListError& e) {
            raised = e.Message;
        }
        Require(raised == (bad ? std::optional(IndexError(*bad)) : std::nullopt), "delete: wrong error");
        Require(Indices(side.List.Highlighted) == indices, "delete changed Highlighted");
    }

    void Sort(TSide& side) {
        const auto order = in_.ConsumeIntegral<std::uint8_t>() % 6;
        side.List.SortBy(order);
        Require(side.List.SortOrder == order, "sort order not stored");
        const TTexts sorted = Texts(side.List);
        if (order < 1 || order > 4) {
            Require(sorted == side.Model, "an unknown order sorted");
            return;
        }
        TTexts a = sorted, b = side.Model;
        std::sort(a.begin(), a.end());
        std::sort(b.begin(), b.end());
        Require(a == b, "sorting is not a permutation");
        for (std::size_t i = 1; i < sorted.size(); ++i) {
            const int words = Plain::CountWords(sorted[i - 1]) - Plain::CountWords(sorted[i]);
            const int text = CompareText(sorted[i - 1], sorted[i]);
            const int c = order >= 3 && words != 0 ? words : text;
            Require(order % 2 == 1 ? c <= 0 : c >= 0, "entries out of order");
        }
        side.Model = sorted;
    }

    // Which entries an export takes: every one, or those that Highlighted names as drawn; the texts that
    // gives, or the first index that names no entry.
    struct TExportChoice {
        bool HighlightedOnly = false;
        std::optional<long long> Bad;
        TTexts Texts;
    };

    TExportChoice ChooseExport(TSide& side) {
        TExportChoice choice;
        choice.HighlightedOnly = in_.ConsumeBool();
        if (!choice.HighlightedOnly) {
            choice.Texts = side.Model;
            return choice;
        }
        DrawHighlighted(side);
        const std::vector<int> indices = Indices(side.List.Highlighted);
        choice.Bad = FirstBadIndex(indices, side.Model.size());
        if (!choice.Bad)
            choice.Texts = Picked(side.Model, indices);
        return choice;
    }

    // A bad index stops an export with the list error before anything was exported.
    static void ExpectIndexError(const TExportChoice& choice, const EListError& error, bool nothingExported) {
        Require(choice.Bad && error.Message == IndexError(*choice.Bad) && nothingExported,
                "export: wrong error");
    }

    void ExportToClipboard(TSide& side) {
        const bool comma = in_.ConsumeBool();
        const TExportChoice choice = ChooseExport(side);
        clipboard_.text = "untouched";
        try {
            if (choice.HighlightedOnly)
                comma ? side.List.HighlightedToCommaText(clipboard_)
                      : side.List.HighlightedToLines(clipboard_);
            else
                comma ? side.List.AllToCommaText(clipboard_) : side.List.AllToLines(clipboard_);
        } catch (const EListError& e) {
            ExpectIndexError(choice, e, clipboard_.text == "untouched");
            return;
        }
        Require(!choice.Bad, "export: a bad index went unnoticed");
        Require(clipboard_.text == (comma ? Plain::CommaText(choice.Texts) : Plain::LineText(choice.Texts)),
                "clipboard text");
    }

    void ExportToList(TSide& side) {
        TSide& target = &side == &a_ ? b_ : a_;
        const TExportChoice choice = ChooseExport(side);
        TTexts expected = target.Model;
        expected.insert(expected.end(), choice.Texts.begin(), choice.Texts.end());
        try {
            Rewrite(target, expected, [&] {
                if (choice.HighlightedOnly)
                    side.List.HighlightedToList(target.List);
                else
                    side.List.AllToList(target.List);
            });
        } catch (const EListError& e) {
            ExpectIndexError(choice, e, Texts(target.List) == target.Model);
            return;
        }
        Require(!choice.Bad, "export: a bad index went unnoticed");
    }

    FuzzedDataProvider& in_;
    TRecordingClipboard clipboard_;
    TSide a_;
    TSide b_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    TListFuzz(in).Run();
    return 0;
}
