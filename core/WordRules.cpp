#include "core/WordRules.h"

#include "core/Exceptions.h"

int CountWords(std::string_view text) {
    int count = 0;
    bool inBlank = true;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        bool blank;
        if (b < 0x80) {
            blank = b == ' ' || b == '\t';
            ++i;
        } else {
            const std::size_t n = BlankLength(text, i);
            blank = n > 0;
            i += blank ? n : 1;
        }
        count += inBlank && !blank;
        inBlank = blank;
    }
    return count;
}

void SplitWords(std::string_view text, const TCharSet& separators, std::vector<std::string>& words) {
    if (separators.Empty())
        throw Exception("Separators set can't be empty");
    words.clear();
    const bool asciiOnly = separators.AsciiOnly();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<std::uint8_t>(text[i]);
        std::size_t next = i;
        bool separator = false;
        if (b < 0x80 || asciiOnly) {
            separator = b < 0x80 && separators.Contains(b);
            ++next;
        } else {
            separator = separators.Contains(Utf8::Next(text, next));
        }
        if (separator) {
            if (i > start)
                words.emplace_back(text.substr(start, i - start));
            start = next;
        }
        i = next;
    }
    if (text.size() > start)
        words.emplace_back(text.substr(start));
}

std::string WrapMatchType(std::string_view text, std::uint8_t matchType) {
    const std::string_view core = TrimmedBy(text, MatchTypeTrimSet());
    switch (matchType) {
    case PhraseMatch:
        return '"' + std::string(core) + '"';
    case ExactMatch:
        return '[' + std::string(core) + ']';
    default:
        return std::string(core);
    }
}

namespace {

// Byte offset after the first count characters of text, or its size when it has fewer.
std::size_t AfterChars(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (; count > 0 && i < text.size(); --count)
        Utf8::Next(text, i);
    return i;
}

} // namespace

std::string TextAfter(std::string_view text, std::size_t position) {
    return std::string(text.substr(AfterChars(text, position)));
}

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
    const std::size_t length = Utf8::CountChars(text);
    if (length >= width)
        return std::string(text);
    return std::string(width - length, fill) + std::string(text);
}

namespace {

std::string ReplaceMatches(std::string_view text, std::string_view haystack, std::string_view pattern,
                           std::string_view replacement) {
    if (pattern.empty())
        return std::string(text);
    std::string result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = haystack.find(pattern, from);
        if (at == std::string_view::npos)
            break;
        if (result.empty())
            result.reserve(text.size() + replacement.size());
        result.append(text.substr(from, at - from)).append(replacement);
        from = at + pattern.size();
    }
    if (from == 0)
        return std::string(text);
    result.append(text.substr(from));
    return result;
}

} // namespace

std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    return ReplaceMatches(text, text, pattern, replacement);
}
