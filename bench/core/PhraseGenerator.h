#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Deterministic keyword phrases of 1 to 7 words (about 23 bytes on average), with exact repeats and
// repeats in another case, as real keyword lists have them.
std::vector<std::string> GeneratePhrases(std::size_t count, std::uint64_t seed = 20261208);
// The same phrases as a keyword text file (CR LF after each).
std::string PhrasesAsText(const std::vector<std::string>& phrases);
