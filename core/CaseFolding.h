#pragma once

#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Case-insensitive equality of keyword texts is equality of their folded forms: Unicode simple case folding
// character by character (with the Turkic rules for I in a Turkish or Azeri locale). One character always
// folds to one character, so a folded text lines up with its text character by character.

char32_t FoldChar(char32_t c);

// Whether text folds byte by byte through ASCII lower case: only ASCII, and no I where I folds to ı.
inline bool FoldsAsAscii(std::string_view text) {
    return Utf8::IsAscii(text) && !(IsTurkicLocale() && text.find('I') != std::string_view::npos);
}

// ASCII lower case for bytes below 0x80; other bytes unchanged. Folds a text for which FoldsAsAscii holds.
inline char FoldAsciiByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// The first two bytes of the characters beyond ASCII that fold into ASCII in the text locale (ſ, the Kelvin
// sign…), each pair once, ascending: a text without them holds a folded text of ASCII alone exactly where
// its ASCII lower case does.
const std::vector<std::array<std::uint8_t, 2>>& PairsFoldingIntoAscii();

void AppendFolded(std::string_view text, std::string& out);
std::string Folded(std::string_view text);
bool SameText(std::string_view a, std::string_view b);

// A hash of the folded text: texts that are equal ignoring case hash alike.
std::uint64_t FoldedHash(std::string_view text);

// Which of parts (a power of two) parts of a job the text with that hash belongs to; independent of the
// hash's low bits, which pick table slots.
inline unsigned HashPart(std::uint64_t hash, unsigned parts) {
    return static_cast<unsigned>(hash >> 56) & (parts - 1);
}

// Byte table under which a text for which FoldsAsAscii holds reads as its folded form, and a folded text
// reads as itself: ASCII lower case, other bytes unchanged.
const std::array<std::uint8_t, 256>& FoldedBytes();

// The text as the term search reads it: the text itself when the search's byte table folds it, else its
// folded form in scratch.
std::string_view SearchableText(std::string_view text, std::string& scratch);
