#include "CodePage.h"

#include <algorithm>
#include <cstring>

extern const TCodePage kCodePages[9];

namespace {

const TCodePage* g_active = nullptr;

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at text[i] and advances i; a malformed sequence yields U+FFFD for one byte.
char32_t NextUtf8(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (extra < 0 || i + extra >= text.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (next & 0x3F);
    }
    i += extra + 1;
    return c;
}

} // namespace

void TCodePage::UpperInPlace(std::string& text) const {
    for (auto& c : text)
        c = ToUpper(c);
}

void TCodePage::LowerInPlace(std::string& text) const {
    for (auto& c : text)
        c = ToLower(c);
}

std::string TCodePage::UpperCase(std::string_view text) const {
    std::string result(text);
    UpperInPlace(result);
    return result;
}

std::string TCodePage::LowerCase(std::string_view text) const {
    std::string result(text);
    LowerInPlace(result);
    return result;
}

int TCodePage::CompareText(std::string_view a, std::string_view b) const {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int wa = Weight[static_cast<std::uint8_t>(a[i])];
        const int wb = Weight[static_cast<std::uint8_t>(b[i])];
        if (wa != wb)
            return wa - wb;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool TCodePage::SameText(std::string_view a, std::string_view b) const {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper[static_cast<std::uint8_t>(a[i])] != Upper[static_cast<std::uint8_t>(b[i])])
            return false;
    return true;
}

std::string TCodePage::SortKey(std::string_view text) const {
    std::string key;
    AppendSortKey(text, key);
    return key;
}

void TCodePage::AppendSortKey(std::string_view text, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    char* dst = out.data() + start;
    for (std::size_t i = 0; i < text.size(); ++i)
        dst[i] = static_cast<char>(Weight[static_cast<std::uint8_t>(text[i])]);
}

std::string TCodePage::ToUtf8(std::string_view text) const {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        AppendUtf8(Unicode[static_cast<std::uint8_t>(c)], out);
    return out;
}

std::string TCodePage::FromUtf8(std::string_view utf8) const {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char32_t c = NextUtf8(utf8, i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        const auto* found = std::find(Unicode.begin(), Unicode.end(), static_cast<char16_t>(c));
        out += (c <= 0xFFFF && found != Unicode.end()) ? static_cast<char>(found - Unicode.begin()) : '?';
    }
    return out;
}

const TCodePage& TCodePage::Get(int id) {
    if (id >= 1250 && id <= 1258)
        return kCodePages[id - 1250];
    return kCodePages[2];
}

const TCodePage& ActiveCodePage() {
    return g_active ? *g_active : TCodePage::Get(1252);
}

void SetActiveCodePage(const TCodePage& codePage) {
    g_active = &codePage;
}
