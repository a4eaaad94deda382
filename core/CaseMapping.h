#pragma once

#include <string>
#include <string_view>

// The locale's case rules on Unicode text: full mappings (ß uppers to SS, final sigma lowers to ς), the
// Turkic i in a Turkish or Azeri locale. Texts may get longer or shorter.
void AppendUpperCase(std::string_view text, std::string& out);
void AppendLowerCase(std::string_view text, std::string& out);
// Upper case at the start of each word (title case of its first character), lower case elsewhere.
void AppendCapitalizedWords(std::string_view text, std::string& out);
// Upper case one character for one, as search terms are given: folding the result folds as the text does.
std::string SimpleUpperCase(std::string_view text);
