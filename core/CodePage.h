#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One single-byte Windows code page: the locale's case mapping, a collation weight per byte and the
// Unicode character of each byte. Case-insensitive comparison compares weights byte by byte; a byte and its
// upper-case form share one weight and distinct upper-case bytes have distinct weights, so two texts compare
// equal exactly when their upper-cased bytes are equal.
class TCodePage {
public:
    int Id = 0;
    std::array<std::uint8_t, 256> Upper{};
    std::array<std::uint8_t, 256> Lower{};
    std::array<std::uint8_t, 256> Weight{};
    // Unicode character of each byte; 0xFFFD where the code page leaves the byte undefined.
    std::array<char16_t, 256> Unicode{};

    char ToUpper(char c) const { return static_cast<char>(Upper[static_cast<std::uint8_t>(c)]); }
    char ToLower(char c) const { return static_cast<char>(Lower[static_cast<std::uint8_t>(c)]); }
    void UpperInPlace(std::string& text) const;
    void LowerInPlace(std::string& text) const;
    std::string UpperCase(std::string_view text) const;
    std::string LowerCase(std::string_view text) const;
    // Negative, zero or positive, like strcmp, ignoring case.
    int CompareText(std::string_view a, std::string_view b) const;
    bool SameText(std::string_view a, std::string_view b) const;
    // The texts' weights: memcmp on two keys orders exactly as CompareText.
    std::string SortKey(std::string_view text) const;
    void AppendSortKey(std::string_view text, std::string& out) const;

    // Unicode (UTF-8) <-> code page; characters the code page lacks become '?'.
    std::string ToUtf8(std::string_view text) const;
    std::string FromUtf8(std::string_view utf8) const;

    // The table of a Windows code page 1250..1258; any other number gives 1252.
    static const TCodePage& Get(int id);
};

// The code page of the running program; 1252 until the frame picks the user's.
const TCodePage& ActiveCodePage();
void SetActiveCodePage(const TCodePage& codePage);
