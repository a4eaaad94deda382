#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Byte table under which a text is searched for case variants without folding it: ASCII lower case, except
// I in a Turkish or Azeri locale, where I folds to dotless ı and takes part in the variants instead.
const std::array<std::uint8_t, 256>& VariantBytes();

// Every text that folds to the folded text, as read through VariantBytes (so ASCII case needs no variant of
// its own), in a fixed order; none when there would be more than limit. A text contains a variant exactly
// when its folded form contains the folded text, because folding keeps one character for one.
std::optional<std::vector<std::string>> CaseVariants(std::string_view folded, std::size_t limit);
