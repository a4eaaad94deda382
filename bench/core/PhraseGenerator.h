#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The language of the generated phrases: English (ASCII), Russian (Cyrillic words with some Latin brand
// names) or German and French (accented Latin).
enum class TPhraseLanguage { English, Russian, GermanFrench };

// "en", "ru" or "de-fr".
std::optional<TPhraseLanguage> PhraseLanguageNamed(std::string_view name);

// Deterministic keyword phrases of 1 to 7 words (about 23 bytes on average in English), with exact repeats
// and repeats in another case, as real keyword lists have them. The languages share the word counts and the
// repeats, so their lists have the same entries and groups of duplicates.
std::vector<std::string> GeneratePhrases(std::size_t count, std::uint64_t seed = 20261208,
                                         TPhraseLanguage language = TPhraseLanguage::English);
// The same phrases as a keyword text file (CR LF after each).
std::string PhrasesAsText(const std::vector<std::string>& phrases);
