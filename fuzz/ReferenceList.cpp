#include "fuzz/ReferenceList.h"

#include "core/KeyboardNeighbours.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <algorithm>
#include <numeric>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

namespace Plain {

namespace {

bool At(std::string_view text, std::size_t i, std::string_view pattern) {
    return text.substr(i, pattern.size()) == pattern;
}

// 1-based position of the first occurrence, 0 when there is none.
std::size_t FirstAt(std::string_view text, std::string_view pattern) {
    for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i)
        if (At(text, i, pattern))
            return i + 1;
    return 0;
}

// One character: a well-formed sequence, or a malformed byte that reads as U+FFFD.
struct TUnit {
    char32_t Code;
    std::string_view Bytes;
};

std::vector<TUnit> Units(std::string_view text) {
    std::vector<TUnit> units;
    units.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t code = Utf8::Next(text, i);
        units.push_back({code, text.substr(start, i - start)});
    }
    return units;
}

bool IsWordBlank(char32_t c) {
    return c == ' ' || c == '\t' || (c >= 0x80 && u_isUWhiteSpace(static_cast<UChar32>(c)));
}

bool IsMark(char32_t c) {
    const auto type = u_charType(static_cast<UChar32>(c));
    return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_COMBINING_SPACING_MARK;
}

bool IsControl(char32_t c) {
    return u_charType(static_cast<UChar32>(c)) == U_CONTROL_CHAR;
}

// A character with the marks that follow it (none after a control): the unit of a misspelling.
struct TCluster {
    std::string Bytes;
    std::u32string Codes;
};

std::vector<TCluster> Clusters(std::string_view text) {
    std::vector<TCluster> clusters;
    for (const auto& u : Units(text)) {
        if (clusters.empty() || !IsMark(u.Code) || IsControl(clusters.back().Codes[0]))
            clusters.emplace_back();
        clusters.back().Bytes += u.Bytes;
        clusters.back().Codes += u.Code;
    }
    return clusters;
}

bool IsLetterOrDigit(const TCluster& cluster) {
    return u_isalnum(static_cast<UChar32>(cluster.Codes[0]));
}

// The keyboard row of the one character the cluster composes to.
std::u32string_view Neighbours(const TCluster& cluster) {
    if (!IsLetterOrDigit(cluster))
        return {};
    std::u16string wide;
    for (char32_t c : cluster.Codes) {
        if (c >= 0x10000) {
            wide += static_cast<char16_t>(0xD7C0 + (c >> 10));
            wide += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            wide += static_cast<char16_t>(c);
        }
    }
    UErrorCode status = U_ZERO_ERROR;
    char16_t composed[64];
    const int32_t length = unorm2_normalize(unorm2_getNFCInstance(&status), wide.data(),
                                            static_cast<int32_t>(wide.size()), composed, 64, &status);
    // No key has a character beyond the first 65,536.
    return U_SUCCESS(status) && length == 1 ? KeyboardNeighbours(composed[0]) : std::u32string_view();
}

std::string Encoded(char32_t c) {
    std::string text;
    Utf8::Append(c, text);
    return text;
}

std::string Trimmed(std::string_view text, const TCharSet& chars) {
    std::vector<TUnit> units = Units(text);
    while (!units.empty() && chars.Contains(units.back().Code))
        units.pop_back();
    std::string result;
    bool leading = true;
    for (const auto& u : units) {
        leading = leading && chars.Contains(u.Code);
        if (!leading)
            result += u.Bytes;
    }
    return result;
}

std::u16string Utf16(std::string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = Utf8::Next(text, i);
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD7C0 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string FromUtf16(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        Utf8::Append(c, out);
    }
    return out;
}

std::string IcuCase(std::string_view text, bool upper) {
    const std::u16string source = Utf16(text);
    std::u16string out(3 * source.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const auto map = upper ? u_strToUpper : u_strToLower;
    const int32_t length = map(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                               reinterpret_cast<const UChar*>(source.data()),
                               static_cast<int32_t>(source.size()), TextLocale().c_str(), &status);
    out.resize(static_cast<std::size_t>(length));
    return FromUtf16(out);
}

bool IsWordBlankChar(char32_t c) {
    return c == ' ' || c == '\t' || (c >= 0x80 && u_isUWhiteSpace(static_cast<UChar32>(c)));
}

template <class F> TTexts EachText(const TTexts& texts, F rewrite) {
    TTexts result;
    for (const auto& t : texts)
        result.push_back(rewrite(t));
    return result;
}

} // namespace

int CountWords(std::string_view text) {
    int words = 0;
    bool previousBlank = true;
    for (const auto& u : Units(text)) {
        words += previousBlank && !IsWordBlank(u.Code);
        previousBlank = IsWordBlank(u.Code);
    }
    return words;
}

TTexts SplitWords(std::string_view text, const TCharSet& separators) {
    TTexts words;
    std::string word;
    for (const auto& u : Units(text)) {
        if (!separators.Contains(u.Code)) {
            word += u.Bytes;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::string WrapMatchType(std::string_view text, std::uint8_t matchType) {
    const std::string core = Trimmed(text, MatchTypeTrimSet());
    if (matchType == 0)
        return '"' + core + '"';
    if (matchType == 1)
        return '[' + core + ']';
    return core;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
    if (find.empty())
        return std::string(text);
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        if (At(text, i, find)) {
            result += replacement;
            i += find.size();
        } else {
            result += text[i++];
        }
    }
    return result;
}

std::string Mapped(std::string_view text, const std::array<std::uint8_t, 256>& table) {
    std::string result;
    for (char c : text)
        result += static_cast<char>(table[static_cast<std::uint8_t>(c)]);
    return result;
}

std::string UpperCase(std::string_view text) {
    return IcuCase(text, true);
}

std::string LowerCase(std::string_view text) {
    return IcuCase(text, false);
}

std::string Folded(std::string_view text) {
    const uint32_t options = IsTurkicLocale() ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        // Bytes below 0x80 are characters of their own; only those beyond need decoding.
        const auto byte = static_cast<unsigned char>(text[i]);
        const char32_t c = byte < 0x80 ? text[i++] : Utf8::Next(text, i);
        const auto folded = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), options));
        if (folded < 0x80)
            out += static_cast<char>(folded);
        else
            Utf8::Append(folded, out);
    }
    return out;
}

// The characters of a text, each with its folded form.
std::vector<std::pair<std::string, std::string>> FoldedChars(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        Utf8::Next(text, i);
        const std::string c(text.substr(start, i - start));
        chars.emplace_back(c, Folded(c));
    }
    return chars;
}

// A term is removed where the folded characters from some character on spell it.
TTexts RemoveTerms(const TTexts& texts, const TTexts& terms) {
    return EachText(texts, [&](std::string text) {
        for (const auto& term : terms) {
            const std::string pattern = Folded(term);
            if (pattern.empty())
                continue;
            const auto chars = FoldedChars(text);
            std::string kept;
            for (std::size_t i = 0; i < chars.size();) {
                std::string spelled;
                std::size_t end = i;
                while (end < chars.size() && spelled.size() < pattern.size())
                    spelled += chars[end++].second;
                if (spelled == pattern) {
                    i = end;
                } else {
                    kept += chars[i].first;
                    ++i;
                }
            }
            text = kept;
        }
        return text;
    });
}

TTexts CollapseSpaces(const TTexts& texts) {
    return EachText(texts, [](const std::string& text) {
        std::string result;
        bool previousBlank = false;
        for (const auto& u : Units(text)) {
            if (previousBlank && IsWordBlank(u.Code))
                continue;
            result += u.Bytes;
            previousBlank = IsWordBlank(u.Code);
        }
        return result;
    });
}

// A malformed byte is a character of its own, equal only to the same byte.
TTexts CollapseRepeats(const TTexts& texts) {
    return EachText(texts, [](const std::string& text) {
        std::string result;
        std::string previous;
        for (const auto& u : Units(text)) {
            if (u.Bytes != previous)
                result += u.Bytes;
            previous = u.Bytes;
        }
        return result;
    });
}

TTexts RemoveChars(const TTexts& texts, const TCharSet& chars) {
    return EachText(texts, [&](const std::string& text) {
        std::string result;
        for (const auto& u : Units(text))
            if (!chars.Contains(u.Code))
                result += u.Bytes;
        return result;
    });
}

TTexts TrimChars(const TTexts& texts, const TCharSet& chars) {
    return EachText(texts, [&](const std::string& text) { return Trimmed(text, chars); });
}

TTexts AddText(const TTexts& texts, std::string_view text, bool atStart, bool asNew) {
    const TTexts combined = EachText(texts, [&](const std::string& entry) {
        return atStart ? std::string(text) + entry : entry + std::string(text);
    });
    if (!asNew)
        return combined;
    TTexts result = texts;
    result.insert(result.end(), combined.begin(), combined.end());
    return result;
}

TTexts CapitalizeWords(const TTexts& texts) {
    return EachText(texts, [](const std::string& text) {
        std::string result;
        std::string word;
        const auto endWord = [&] {
            if (word.empty())
                return;
            std::size_t next = 0;
            const char32_t first = Utf8::Next(word, next);
            if (next == 1 && first == Utf8::Replacement)
                result += word[0];
            else
                Utf8::Append(first == 'i' && IsTurkicLocale()
                                 ? U'\u0130'
                                 : static_cast<char32_t>(u_totitle(static_cast<UChar32>(first))),
                             result);
            result += LowerCase(word.substr(next));
            word.clear();
        };
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t start = i;
            const char32_t c = Utf8::Next(text, i);
            if (IsWordBlankChar(c)) {
                endWord();
                result.append(text, start, i - start);
            } else {
                word.append(text, start, i - start);
            }
        }
        endWord();
        return result;
    });
}

TTexts ReplaceText(const TTexts& texts, std::string_view find, std::string_view replacement) {
    return EachText(texts, [&](const std::string& text) { return ReplaceAll(text, find, replacement); });
}

TTexts SetMatchType(const TTexts& texts, std::uint8_t matchType) {
    return EachText(texts, [&](const std::string& text) { return WrapMatchType(text, matchType); });
}

TTexts ReplacedCopies(const TTexts& texts, std::string_view find, std::string_view replacement) {
    TTexts copies;
    for (const auto& text : texts)
        if (const std::string replaced = ReplaceAll(text, find, replacement); replaced != text)
            copies.push_back(replaced);
    return copies;
}

TTexts MatchTypeCopies(const TTexts& texts, std::uint8_t matchType) {
    return SetMatchType(texts, matchType);
}

TTexts Misspellings(const TTexts& phrases, int kinds) {
    TTexts out;
    for (const auto& p : phrases) {
        const std::vector<TCluster> c = Clusters(p);
        const std::size_t n = c.size();
        const auto joined = [&](std::size_t from, std::size_t to) {
            std::string text;
            for (std::size_t k = from; k < to; ++k)
                text += c[k].Bytes;
            return text;
        };
        out.push_back(p);
        if (kinds & 1)
            for (std::size_t i = 1; i <= n; ++i)
                if (IsLetterOrDigit(c[i - 1]))
                    out.push_back(joined(0, i) + c[i - 1].Bytes + joined(i, n));
        if (kinds & 2)
            for (std::size_t i = 1; i < n; ++i)
                if (IsLetterOrDigit(c[i - 1]))
                    out.push_back(joined(0, i - 1) + c[i].Bytes + c[i - 1].Bytes + joined(i + 1, n));
        if (kinds & 4)
            for (std::size_t i = 1; i <= n; ++i)
                if (IsLetterOrDigit(c[i - 1]))
                    out.push_back(joined(0, i - 1) + joined(i, n));
        if (kinds & 8)
            for (std::size_t i = 1; i <= n; ++i)
                for (char32_t k : Neighbours(c[i - 1]))
                    out.push_back(joined(0, i - 1) + Encoded(k) + joined(i, n));
    }
    return out;
}

TTexts Recombinations(const TTexts& phrases, int limit) {
    TTexts out;
    for (const auto& p : phrases) {
        const TTexts words = SplitWords(p, RecombineSeparators());
        if (static_cast<long long>(words.size()) > limit)
            continue;
        std::vector<std::size_t> order(words.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        do {
            std::string joined;
            for (std::size_t k = 0; k < order.size(); ++k)
                joined += (k > 0 ? " " : "") + words[order[k]];
            out.push_back(joined);
        } while (std::next_permutation(order.begin(), order.end()));
    }
    return out;
}

std::vector<int> PickByTerms(const TTexts& texts, const TTexts& terms, std::uint8_t position) {
    TTexts folded;
    for (const auto& t : terms)
        folded.push_back(Folded(t));
    std::vector<int> picked;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string upper = Folded(texts[i]);
        const std::size_t n = upper.size();
        for (const auto& t : folded) {
            if (t.empty() || t.size() > n)
                continue;
            const std::size_t first = FirstAt(upper, t);
            const bool match =
                (position == 0 && At(upper, 0, t)) || (position == 1 && At(upper, n - t.size(), t)) ||
                (position == 2 && first > 1 && first < n - t.size() + 1) || (position == 3 && first > 0);
            if (match) {
                picked.push_back(static_cast<int>(i));
                break;
            }
        }
    }
    return picked;
}

std::vector<int> PickByWordCount(const TTexts& texts, int n, std::uint8_t comparison) {
    std::vector<int> picked;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int words = CountWords(texts[i]);
        if ((comparison == 0 && words > n) || (comparison == 1 && words < n) ||
            (comparison == 2 && words == n))
            picked.push_back(static_cast<int>(i));
    }
    return picked;
}

std::optional<long long> DeleteIndices(TTexts& texts, const std::vector<int>& indices) {
    for (auto k = indices.rbegin(); k != indices.rend(); ++k) {
        if (*k < 0 || *k >= static_cast<int>(texts.size()))
            return *k;
        texts.erase(texts.begin() + *k);
    }
    return std::nullopt;
}

std::string CommaText(const TTexts& texts) {
    std::string text;
    for (std::size_t i = 0; i < texts.size(); ++i)
        text += (i > 0 ? ", " : "") + texts[i];
    return text;
}

std::string LineText(const TTexts& texts) {
    std::string text;
    for (const auto& t : texts)
        text += t + "\r\n";
    return text;
}

} // namespace Plain
