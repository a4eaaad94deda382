#include "frame/RegKey.h"

#include <algorithm>

namespace {

char FoldCase(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

template <class Values> auto FindIn(Values& values, std::string_view name) {
    const auto found =
        std::find_if(values.begin(), values.end(), [&](const auto& v) { return SameRegName(v.Name, name); });
    return found == values.end() ? nullptr : &*found;
}

} // namespace

bool SameRegName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

bool TRegNameLess::operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
    });
}

const TRegValue* TRegKey::FindValue(std::string_view name) const {
    return FindIn(Values, name);
}

void TRegKey::SetValue(std::string_view name, std::uint32_t type, std::string data) {
    if (auto* value = FindIn(Values, name)) {
        value->Type = type;
        value->Data = std::move(data);
        return;
    }
    Values.push_back({std::string(name), type, std::move(data)});
}

bool TRegKey::DeleteValue(std::string_view name) {
    return std::erase_if(Values, [&](const auto& v) { return SameRegName(v.Name, name); }) > 0;
}
