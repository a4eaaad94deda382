#include "fuzz/SearchAndRulesCheck.h"

#include "core/CaseFolding.h"
#include "core/CaseMapping.h"
#include "core/Collation.h"
#include "core/MultiPatternSearch.h"
#include "core/Utf8.h"
#include "core/WordRules.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/ReferenceList.h"

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Every occurrence as (end, start, pattern); equal patterns count once, by their smallest index.
std::vector<std::tuple<std::size_t, std::size_t, int>> Occurrences(const std::vector<std::string>& patterns,
                                                                   std::string_view folded) {
    std::vector<std::tuple<std::size_t, std::size_t, int>> found;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        const std::string& pattern = patterns[p];
        if (pattern.empty() || std::find(patterns.begin(), patterns.begin() + static_cast<std::ptrdiff_t>(p),
                                         pattern) != patterns.begin() + static_cast<std::ptrdiff_t>(p))
            continue;
        for (std::size_t at = 0; at + pattern.size() <= folded.size(); ++at)
            if (folded.substr(at, pattern.size()) == pattern)
                found.emplace_back(at + pattern.size(), at, static_cast<int>(p));
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

std::string DrawText(FuzzedDataProvider& in, std::size_t maxLength) {
    // Characters of 1 to 4 bytes, a word blank beyond ASCII and a combining mark among them.
    static constexpr std::string_view Alphabet[] = {
        "a", "A", "b",      "B",      " ",      ".",      "\t", "\"", "'",  "[", "]",
        "1", "é", "É",      "ß",      "ё",      "Ё",      "σ",  "ς",  "Σ",  "i", "I",
        "ı", "İ", "\u212A", "\u0301", "\u00A0", "\u3000", "й",  "日", "中", "😀", std::string_view("\0", 1)};
    const bool raw = in.ConsumeBool();
    const std::string bytes = in.ConsumeRandomLengthString(maxLength);
    std::string text;
    if (raw) {
        for (std::size_t i = 0; i < bytes.size();)
            Utf8::Append(Utf8::Next(bytes, i), text);
        return text;
    }
    for (const char c : bytes) {
        text.append(Alphabet[static_cast<std::uint8_t>(c) % std::size(Alphabet)]);
    }
    return text;
}

std::vector<std::string> DrawTexts(FuzzedDataProvider& in, std::size_t maxCount, std::size_t maxLength) {
    std::vector<std::string> texts(in.ConsumeIntegralInRange<std::size_t>(0, maxCount));
    for (auto& t : texts)
        t = DrawText(in, maxLength);
    return texts;
}

void CheckMultiPatternSearch(FuzzedDataProvider& in) {
    std::vector<std::string> patterns = DrawTexts(in, 8, 6);
    if (in.ConsumeBool())
        for (auto& p : patterns)
            p = Plain::Mapped(p, FoldedBytes());
    const std::size_t cells = in.ConsumeBool() ? TMultiPatternSearch::DefaultDenseCells
                                               : in.ConsumeIntegralInRange<std::size_t>(0, 64);
    const TMultiPatternSearch search(patterns, FoldedBytes(), cells);
    const std::string text = DrawText(in, 48);
    const std::string folded = Plain::Mapped(text, FoldedBytes());
    const auto expected = Occurrences(patterns, folded);

    const bool anyPattern = std::any_of(patterns.begin(), patterns.end(), [](auto& p) { return !p.empty(); });
    Require(search.Empty() == !anyPattern, "search: empty");
    Require(search.ContainsAny(text) == !expected.empty(), "search: contains any");
    int first = -1;
    for (const auto& [end, start, p] : expected)
        first = first < 0 ? p : std::min(first, p);
    Require(search.FirstPatternIn(text) == first, "search: first pattern in");
    const bool prefix =
        std::any_of(expected.begin(), expected.end(), [](auto& o) { return std::get<1>(o) == 0; });
    Require(search.StartsWithAny(text) == prefix, "search: starts with any");

    std::vector<std::tuple<std::size_t, std::size_t, int>> visited;
    search.AnyOccurrence(text, [&](int p, std::size_t start) {
        visited.emplace_back(start + patterns[static_cast<std::size_t>(p)].size(), start, p);
        return false;
    });
    Require(std::is_sorted(visited.begin(), visited.end(),
                           [](auto& a, auto& b) { return std::get<0>(a) < std::get<0>(b); }),
            "search: occurrences out of order");
    std::sort(visited.begin(), visited.end());
    Require(visited == expected, "search: occurrences");
}

void CheckTextRules(FuzzedDataProvider& in) {
    const std::string a = DrawText(in, 24);
    std::string b;
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        b = Plain::UpperCase(a);
        break;
    case 1:
        b = Plain::LowerCase(a);
        break;
    case 2:
        b = SimpleUpperCase(a);
        break;
    default:
        b = DrawText(in, 24);
        break;
    }
    const std::string c = DrawText(in, 24);
    const bool same = Plain::Folded(a) == Plain::Folded(b);
    const int ab = Sign(CompareText(a, b));
    Require(ab == -Sign(CompareText(b, a)), "compare: not antisymmetric");
    Require((ab == 0) == same, "compare: equal unless the folded texts differ");
    Require(SameText(a, b) == same, "same text");
    Require(!same || FoldedHash(a) == FoldedHash(b), "equal texts hash apart");
    Require(Folded(a) == Plain::Folded(a), "folded");
    if (ab <= 0 && CompareText(b, c) <= 0)
        Require(CompareText(a, c) <= 0, "compare: not transitive");
    Require(SameText(SimpleUpperCase(a), a), "a term's upper case folds otherwise");

    // Any window of a key is the key's bytes there, 0 past its end.
    const TCollation& collation = TCollation::Current();
    std::string key;
    collation.AppendKey(a, key);
    Require(key.find('\0') == std::string::npos, "a key holds a 0 byte");
    const std::size_t from = in.ConsumeIntegralInRange<std::size_t>(0, key.size() + 2);
    std::uint8_t window[24];
    collation.KeyBytes(a, from, window, sizeof window);
    for (std::size_t k = 0; k < sizeof window; ++k)
        Require(window[k] == (from + k < key.size() ? static_cast<std::uint8_t>(key[from + k]) : 0),
                "key window");

    std::string upper;
    std::string lower;
    AppendUpperCase(a, upper);
    AppendLowerCase(a, lower);
    Require(upper == Plain::UpperCase(a), "upper case");
    Require(lower == Plain::LowerCase(a), "lower case");
    Require(Utf8::IsValid(upper) && Utf8::IsValid(lower), "case mapping made invalid UTF-8");
}

void CheckWordRules(FuzzedDataProvider& in) {
    const std::string text = DrawText(in, 32);
    const std::string pattern = DrawText(in, 4);
    const std::string replacement = DrawText(in, 4);
    Require(CountWords(text) == Plain::CountWords(text), "count words");
    const std::uint8_t matchType = in.ConsumeIntegral<std::uint8_t>();
    Require(WrapMatchType(text, matchType) == Plain::WrapMatchType(text, matchType), "wrap match type");

    TCharSet separators;
    const std::string separatorText = DrawText(in, 4);
    for (std::size_t i = 0; i < separatorText.size();)
        separators.Include(Utf8::Next(separatorText, i));
    std::vector<std::string> words{"untouched"};
    if (separators.Empty()) {
        bool refused = false;
        try {
            SplitWords(text, separators, words);
        } catch (const Exception& e) {
            refused = e.Message == "Separators set can't be empty";
        }
        Require(refused && words == std::vector<std::string>{"untouched"}, "split words without separators");
    } else {
        SplitWords(text, separators, words);
        Require(words == Plain::SplitWords(text, separators), "split words");
    }

    // Positions and widths count characters.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); Utf8::Next(text, i))
        starts.push_back(i);
    const std::size_t position = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    Require(TextAfter(text, position) == (position < starts.size() ? text.substr(starts[position]) : ""),
            "text after");
    const std::size_t width = in.ConsumeIntegralInRange<std::size_t>(0, 40);
    Require(PadLeft(text, width, '0') ==
                std::string(width > starts.size() ? width - starts.size() : 0, '0') + text,
            "pad left");
    if (Utf8::IsValid(text)) {
        Require(Utf8::IsValid(WrapMatchType(text, matchType)), "wrap match type made invalid UTF-8");
        for (const auto& w : words)
            Require(Utf8::IsValid(w), "split words made invalid UTF-8");
    }
    Require(ReplaceAll(text, pattern, replacement) == Plain::ReplaceAll(text, pattern, replacement),
            "replace all");
}
