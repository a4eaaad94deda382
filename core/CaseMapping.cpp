#include "core/CaseMapping.h"

#include "core/CaseFolding.h"
#include "core/Exceptions.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <memory>
#include <mutex>
#include <unicode/ucasemap.h>
#include <unicode/uchar.h>

namespace {

struct TCaseMapClose {
    void operator()(UCaseMap* map) const { ucasemap_close(map); }
};

// The locale's case map; read-only once made, so threads share it.
const UCaseMap& CaseMap() {
    static std::mutex guard;
    static std::unique_ptr<UCaseMap, TCaseMapClose> map;
    static std::string madeFor;
    const std::lock_guard lock(guard);
    if (!map || madeFor != TextLocale()) {
        UErrorCode status = U_ZERO_ERROR;
        map.reset(ucasemap_open(TextLocale().c_str(), 0, &status));
        if (U_FAILURE(status))
            throw Exception(std::string("Cannot set up case mapping: ") + u_errorName(status));
        madeFor = TextLocale();
    }
    return *map;
}

using TMapUtf8 = int32_t (*)(const UCaseMap*, char*, int32_t, const char*, int32_t, UErrorCode*);

template <class TAscii>
void AppendMapped(std::string_view text, std::string& out, TMapUtf8 map, TAscii ascii, char turkicAscii) {
    if (Utf8::IsAscii(text) && !(IsTurkicLocale() && text.find(turkicAscii) != std::string_view::npos)) {
        const std::size_t start = out.size();
        out.append(text);
        for (std::size_t i = start; i < out.size(); ++i)
            out[i] = ascii(out[i]);
        return;
    }
    if (text.size() > static_cast<std::size_t>(INT32_MAX / 3))
        throw Exception("Keyword text too long for case mapping");
    const std::size_t start = out.size();
    // No mapping grows a text more than threefold.
    out.resize(start + 3 * text.size() + 4);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = map(&CaseMap(), out.data() + start, static_cast<int32_t>(out.size() - start),
                               text.data(), static_cast<int32_t>(text.size()), &status);
    if (U_FAILURE(status))
        throw Exception(std::string("Case mapping failed: ") + u_errorName(status));
    out.resize(start + static_cast<std::size_t>(length));
}

struct TAsciiUpper {
    char operator()(char c) const { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
};

struct TAsciiLower {
    char operator()(char c) const { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
};

char32_t TitleChar(char32_t c) {
    if (c == 'i' && IsTurkicLocale())
        return 0x130;
    return static_cast<char32_t>(u_totitle(static_cast<UChar32>(c)));
}

} // namespace

void AppendUpperCase(std::string_view text, std::string& out) {
    AppendMapped(text, out, ucasemap_utf8ToUpper, TAsciiUpper(), 'i');
}

void AppendLowerCase(std::string_view text, std::string& out) {
    AppendMapped(text, out, ucasemap_utf8ToLower, TAsciiLower(), 'I');
}

void AppendCapitalizedWords(std::string_view text, std::string& out) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t next = i;
        const char32_t c = Utf8::Next(text, next);
        if (IsWordBlank(c)) {
            out.append(text.substr(i, next - i));
            i = next;
            continue;
        }
        std::size_t end = next;
        while (end < text.size()) {
            std::size_t after = end;
            if (IsWordBlank(Utf8::Next(text, after)))
                break;
            end = after;
        }
        if (next - i == 1 && c == Utf8::Replacement)
            out += text[i]; // a malformed byte stays as it is
        else
            Utf8::Append(TitleChar(c), out);
        AppendLowerCase(text.substr(next, end - next), out);
        i = end;
    }
}

std::string SimpleUpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    if (Utf8::IsAscii(text) && !IsTurkicLocale()) {
        for (char c : text)
            out += TAsciiUpper()(c);
        return out;
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t start = i;
        const char32_t c = Utf8::Next(text, i);
        if (c == Utf8::Replacement && i - start == 1) {
            out += text[start];
            continue;
        }
        // A character whose upper case folds otherwise (dotless ı outside Turkish) stays as it is.
        const char32_t upper = c == 'i' && IsTurkicLocale()
                                   ? char32_t{0x130}
                                   : static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
        Utf8::Append(FoldChar(upper) == FoldChar(c) ? upper : c, out);
    }
    return out;
}
