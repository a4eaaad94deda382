#include "Misspellings.h"

#include "CheckpointTrail.h"
#include "KeyItems.h"
#include "KeyboardNeighbours.h"

#include <utility>

namespace {

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsLetterOrDigit(char c) {
    return IsLetter(c) || (c >= '0' && c <= '9');
}

// Adds the entries and bytes one phrase with its variants will add, without making them.
void CountVariants(std::string_view phrase, int kinds, TGrowth& growth) {
    std::uint64_t lettersAndDigits = 0;
    std::uint64_t neighbours = 0;
    for (char c : phrase) {
        lettersAndDigits += IsLetterOrDigit(c);
        neighbours += QwertyNeighbours(c).size();
    }
    const std::uint64_t n = phrase.size();
    growth.AddEntries(1, n);
    if (kinds & DoubledChars)
        growth.AddEntries(lettersAndDigits, n + 1);
    if (kinds & SwappedChars)
        growth.AddEntries(lettersAndDigits - (n > 0 && IsLetterOrDigit(phrase.back())), n);
    if (kinds & MissingChars)
        growth.AddEntries(lettersAndDigits, n - 1);
    if (kinds & QwertyErrors)
        growth.AddEntries(neighbours, n);
}

} // namespace

void DoubledCharVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        if (!IsLetterOrDigit(phrase[i]))
            continue;
        variant.assign(phrase.substr(0, i + 1)).append(phrase.substr(i));
        emit(variant);
    }
}

void SwappedCharVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant(phrase);
    for (std::size_t i = 0; i + 1 < phrase.size(); ++i) {
        if (!IsLetterOrDigit(phrase[i]))
            continue;
        std::swap(variant[i], variant[i + 1]);
        emit(variant);
        std::swap(variant[i], variant[i + 1]);
    }
}

void MissingCharVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        if (!IsLetterOrDigit(phrase[i]))
            continue;
        variant.assign(phrase.substr(0, i)).append(phrase.substr(i + 1));
        emit(variant);
    }
}

void QwertyVariants(std::string_view phrase, const TEmitText& emit) {
    std::string variant(phrase);
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        for (char neighbour : QwertyNeighbours(phrase[i])) {
            variant[i] = neighbour;
            emit(variant);
        }
        variant[i] = phrase[i];
    }
}

void AddMisspellings(const std::vector<std::string>& phrases, int kinds, TKeyItems& target,
                     std::size_t memoryBudget) {
    CheckpointScope checkpoint("d132");
    TGrowth growth;
    for (const auto& p : phrases)
        CountVariants(p, kinds, growth);
    growth.Check(target.Count(), memoryBudget);
    target.Reserve(static_cast<std::size_t>(growth.Entries()), static_cast<std::size_t>(growth.Bytes()));
    const TEmitText add = [&](std::string_view text) { target.AddKeyword(text); };
    for (const auto& p : phrases) {
        add(p);
        if (kinds & DoubledChars)
            DoubledCharVariants(p, add);
        if (kinds & SwappedChars)
            SwappedCharVariants(p, add);
        if (kinds & MissingChars)
            MissingCharVariants(p, add);
        if (kinds & QwertyErrors)
            QwertyVariants(p, add);
    }
}
