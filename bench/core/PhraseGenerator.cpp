#include "PhraseGenerator.h"

#include <array>
#include <cctype>
#include <random>

namespace {

constexpr std::array<const char*, 96> kWords = {
    "buy",     "cheap",     "best",     "shoes",   "red",      "running",  "men",     "women",    "kids",
    "online",  "sale",      "discount", "store",   "near",     "me",       "free",    "shipping", "leather",
    "boots",   "winter",    "summer",   "jacket",  "coat",     "black",    "white",   "blue",     "size",
    "review",  "price",     "how",      "to",      "for",      "with",     "and",     "new",      "used",
    "laptop",  "phone",     "case",     "charger", "wireless", "gaming",   "chair",   "desk",     "office",
    "home",    "garden",    "tools",    "kitchen", "knife",    "set",      "coffee",  "maker",    "espresso",
    "machine", "hotel",     "paris",    "london",  "berlin",   "flight",   "tickets", "last",     "minute",
    "deals",   "insurance", "car",      "quote",   "loan",     "mortgage", "rates",   "credit",   "card",
    "yoga",    "mat",       "fitness",  "tracker", "watch",    "smart",    "tv",      "4k",       "hd",
    "dog",     "food",      "cat",      "toys",    "organic",  "vegan",    "protein", "powder",   "recipe",
    "easy",    "quick",     "diy",      "repair",  "service",  "2026"};

std::string RandomPhrase(std::mt19937_64& rng) {
    static constexpr std::array<int, 7> kWordCountWeights = {6, 20, 26, 21, 14, 8, 5};
    std::discrete_distribution<int> words(kWordCountWeights.begin(), kWordCountWeights.end());
    std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
    const int n = words(rng) + 1;
    std::string phrase;
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            phrase += ' ';
        phrase += kWords[word(rng)];
    }
    return phrase;
}

std::string ChangeCase(std::string phrase, std::mt19937_64& rng) {
    switch (rng() % 3) {
    case 0:
        for (auto& c : phrase)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        break;
    case 1:
        phrase[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(phrase[0])));
        break;
    default:
        for (std::size_t i = 0; i < phrase.size(); ++i)
            if (i == 0 || phrase[i - 1] == ' ')
                phrase[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(phrase[i])));
    }
    return phrase;
}

} // namespace

std::vector<std::string> GeneratePhrases(std::size_t count, std::uint64_t seed) {
    std::mt19937_64 rng(seed);
    std::vector<std::string> phrases;
    phrases.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto roll = rng() % 100;
        if (!phrases.empty() && roll < 12)
            phrases.push_back(phrases[rng() % phrases.size()]);
        else if (!phrases.empty() && roll < 20)
            phrases.push_back(ChangeCase(phrases[rng() % phrases.size()], rng));
        else
            phrases.push_back(RandomPhrase(rng));
    }
    return phrases;
}

std::string PhrasesAsText(const std::vector<std::string>& phrases) {
    std::string text;
    for (const auto& p : phrases)
        text.append(p).append("\r\n");
    return text;
}
