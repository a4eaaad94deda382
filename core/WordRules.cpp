#include "WordRules.h"

#include "Exceptions.h"

int CountWords(std::string_view text) {
    int count = 0;
    bool inBlank = true;
    for (char c : text) {
        const bool blank = c == '\t' || c == ' ';
        if (inBlank && !blank)
            ++count;
        inBlank = blank;
    }
    return count;
}

void SplitWords(std::string_view text, const TCharSet& separators, std::vector<std::string>& words) {
    if (separators.Empty())
        throw Exception("Separators set can't be empty");
    words.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || separators.Contains(text[i])) {
            if (i > start)
                words.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
}

std::string WrapMatchType(std::string_view text, std::uint8_t matchType) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && MatchTypeTrimSet.Contains(text[first]))
        ++first;
    while (last > first && MatchTypeTrimSet.Contains(text[last - 1]))
        --last;
    const std::string_view core = text.substr(first, last - first);
    switch (matchType) {
    case PhraseMatch:
        return '"' + std::string(core) + '"';
    case ExactMatch:
        return '[' + std::string(core) + ']';
    default:
        return std::string(core);
    }
}

std::string TextAfter(std::string_view text, std::size_t position) {
    return position < text.size() ? std::string(text.substr(position)) : std::string();
}

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
    if (text.size() >= width)
        return std::string(text);
    return std::string(width - text.size(), fill) + std::string(text);
}

std::size_t Pos(std::string_view pattern, std::string_view text) {
    if (pattern.empty())
        return 0;
    const auto found = text.find(pattern);
    return found == std::string_view::npos ? 0 : found + 1;
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
