#pragma once

#include <array>
#include <string>
#include <string_view>

// One single-byte Windows code page, as legacy keyword files are written in: the Unicode character of each
// byte. Bytes the code page leaves undefined map to C1 controls or the private-use area, so every byte
// reads as a character of its own and writes back as itself.
class TCodePage {
public:
    int Id = 0;
    std::array<char16_t, 256> Unicode{};

    // The table of a Windows code page 1250..1258; any other number gives 1252.
    static const TCodePage& Get(int id);
};
