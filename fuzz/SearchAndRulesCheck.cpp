#include "SearchAndRulesCheck.h"

#include "FuzzSupport.h"
#include "MultiPatternSearch.h"
#include "ReferenceList.h"
#include "Utf8.h"
#include "WordRules.h"

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
    static constexpr std::string_view Alphabet[] = {"a",
                                                    "A",
                                                    "b",
                                                    "B",
                                                    " ",
                                                    ".",
                                                    "\t",
                                                    "\"",
                                                    "'",
                                                    "[",
                                                    "]",
                                                    "1",
                                                    "\xe9",
                                                    "\xc9",
                                                    "\xc3\xa9",
                                                    "\xd1\x91",
                                                    "\xd0\x81",
                                                    "\xd0\xb9",
                                                    "\xc2\xa0",
                                                    "\xcc\x81",
                                                    "\xe3\x80\x80",
                                                    "\xe6\x97\xa5",
                                                    "\xf0\x9f\x98\x80"};
    const bool raw = in.ConsumeBool();
    std::string text = in.ConsumeRandomLengthString(maxLength);
    if (raw)
        return text;
    std::string drawn;
    for (char c : text)
        drawn += Alphabet[static_cast<std::uint8_t>(c) % std::size(Alphabet)];
    return drawn;
}

std::vector<std::string> DrawTexts(FuzzedDataProvider& in, std::size_t maxCount, std::size_t maxLength) {
    std::vector<std::string> texts(in.ConsumeIntegralInRange<std::size_t>(0, maxCount));
    for (auto& t : texts)
        t = DrawText(in, maxLength);
    return texts;
}

void CheckMultiPatternSearch(FuzzedDataProvider& in, const TCodePage& codePage) {
    std::vector<std::string> patterns = DrawTexts(in, 8, 6);
    if (in.ConsumeBool())
        for (auto& p : patterns)
            p = Plain::Mapped(p, codePage.Upper);
    const std::size_t cells = in.ConsumeBool() ? TMultiPatternSearch::DefaultDenseCells
                                               : in.ConsumeIntegralInRange<std::size_t>(0, 64);
    const TMultiPatternSearch search(patterns, codePage.Upper, cells);
    const std::string text = DrawText(in, 48);
    const std::string folded = Plain::Mapped(text, codePage.Upper);
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

void CheckCodePage(FuzzedDataProvider& in, const TCodePage& codePage) {
    const std::string a = DrawText(in, 24);
    const std::string b = in.ConsumeBool()
                              ? Plain::Mapped(a, in.ConsumeBool() ? codePage.Lower : codePage.Upper)
                              : DrawText(in, 24);
    const std::string c = DrawText(in, 24);
    const std::string upperA = Plain::Mapped(a, codePage.Upper);
    const std::string upperB = Plain::Mapped(b, codePage.Upper);
    const int ab = Sign(codePage.CompareText(a, b));
    Require(ab == -Sign(codePage.CompareText(b, a)), "compare: not antisymmetric");
    Require((ab == 0) == (upperA == upperB), "compare: equal unless the upper cases differ");
    Require(codePage.SameText(a, b) == (upperA == upperB), "same text");
    const std::string keyA = codePage.SortKey(a);
    const std::string keyB = codePage.SortKey(b);
    const int keys = Sign(std::memcmp(keyA.data(), keyB.data(), std::min(keyA.size(), keyB.size())));
    Require((keys != 0 ? keys : Sign(static_cast<int>(keyA.size()) - static_cast<int>(keyB.size()))) == ab,
            "sort keys order otherwise than the comparison");
    if (ab <= 0 && codePage.CompareText(b, c) <= 0)
        Require(codePage.CompareText(a, c) <= 0, "compare: not transitive");
    Require(codePage.UpperCase(a) == upperA, "upper case");
    Require(codePage.LowerCase(a) == Plain::Mapped(a, codePage.Lower), "lower case");

    Require(codePage.FromUtf8(codePage.ToUtf8(a)) == a, "Unicode round trip");
    const std::string fromAnyBytes = codePage.FromUtf8(c);
    Require(fromAnyBytes.size() <= c.size(), "Unicode text grew in the code page");
}

void CheckWordRules(FuzzedDataProvider& in, const TCodePage& codePage) {
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

    const std::string upperText = Plain::Mapped(text, codePage.Upper);
    const std::string upperPattern = Plain::Mapped(pattern, codePage.Upper);
    std::string ignoringCase;
    for (std::size_t i = 0; i < text.size();) {
        if (!pattern.empty() && upperText.compare(i, upperPattern.size(), upperPattern) == 0) {
            ignoringCase += replacement;
            i += pattern.size();
        } else {
            ignoringCase += text[i++];
        }
    }
    Require(ReplaceAllIgnoreCase(text, pattern, replacement, codePage) == ignoringCase,
            "replace all ignoring case");
}
