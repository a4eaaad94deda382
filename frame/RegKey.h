#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Value types, numbered as the registry numbers them; types other than these are kept as raw bytes.
enum : std::uint32_t { RegNone = 0, RegSz = 1, RegExpandSz = 2, RegBinary = 3, RegDword = 4 };

// Data is UTF-8 text for the two string types, four little-endian bytes for RegDword and the raw bytes for
// every other type.
struct TRegValue {
    std::string Name;
    std::uint32_t Type = RegNone;
    std::string Data;
    bool operator==(const TRegValue&) const = default;
};

// Key and value names compare as in the registry: case-insensitive (ASCII letters), case-preserving.
bool SameRegName(std::string_view a, std::string_view b);
struct TRegNameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// One key of the settings tree: its values in the order they were first written, its subkeys by name.
class TRegKey {
public:
    std::vector<TRegValue> Values;
    std::map<std::string, TRegKey, TRegNameLess> SubKeys;

    const TRegValue* FindValue(std::string_view name) const;
    void SetValue(std::string_view name, std::uint32_t type, std::string data);
    bool DeleteValue(std::string_view name);
    bool operator==(const TRegKey&) const = default;
};
