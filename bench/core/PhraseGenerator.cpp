#include "bench/core/PhraseGenerator.h"

#include "core/Utf8.h"

#include <array>
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

// Russian search words, with the brand names that Russian lists keep in Latin letters.
constexpr std::array<const char*, 96> kRussianWords = {
    "купить",  "дешево",    "лучший",  "обувь",        "красный",     "кроссовки",
    "мужские", "женские",   "детские", "онлайн",       "распродажа",  "скидка",
    "магазин", "рядом",     "со",      "бесплатная",   "доставка",    "кожаные",
    "ботинки", "зимние",    "летние",  "куртка",       "пальто",      "черный",
    "белый",   "синий",     "размер",  "отзывы",       "цена",        "как",
    "для",     "с",         "и",       "новый",        "бу",          "ноутбук",
    "телефон", "чехол",     "зарядка", "беспроводной", "игровой",     "кресло",
    "стол",    "офис",      "дом",     "сад",          "инструменты", "кухня",
    "нож",     "набор",     "кофе",    "кофеварка",    "эспрессо",    "отель",
    "москва",  "петербург", "казань",  "авиабилеты",   "билеты",      "горящие",
    "туры",    "страховка", "авто",    "ёлка",         "кредит",      "ипотека",
    "ставки",  "карта",     "йога",    "коврик",       "фитнес",      "часы",
    "умные",   "телевизор", "собака",  "корм",         "кошка",       "игрушки",
    "рецепт",  "быстро",    "ремонт",  "своими",       "руками",      "2026",
    "Nike",    "Adidas",    "Samsung", "iPhone",       "Xiaomi",      "IKEA",
    "Bosch",   "Philips",   "Sony",    "Lego",         "Puma",        "Apple"};

// German and French search words, accented.
constexpr std::array<const char*, 96> kGermanFrenchWords = {
    "kaufen",   "günstig", "beste",     "schuhe",   "rot",        "laufschuhe", "herren",    "damen",
    "kinder",   "größe",   "straße",    "müller",   "öko",        "übergröße",  "kostenlos", "versand",
    "leder",    "stiefel", "winter",    "sommer",   "jacke",      "mantel",     "schwarz",   "weiß",
    "blau",     "preis",   "für",       "mit",      "und",        "neu",        "gebraucht", "küche",
    "messer",   "kaffee",  "maschine",  "hotel",    "münchen",    "köln",       "zürich",    "flüge",
    "früh",     "bücher",  "spielzeug", "gemüse",   "äpfel",      "tür",        "schlüssel", "fahrrad",
    "acheter",  "pas",     "cher",      "meilleur", "chaussures", "été",        "hôtel",     "café",
    "crème",    "brûlée",  "à",         "côté",     "forêt",      "élégant",    "garçon",    "noël",
    "français", "château", "théâtre",   "économie", "prêt",       "immobilier", "télé",      "écran",
    "déjà",     "où",      "cœur",      "sœur",     "œuvre",      "naïf",       "maïs",      "lycée",
    "pâtes",    "fenêtre", "île",       "ça",       "voilà",      "réparer",    "sécurité",  "données",
    "général",  "méthode", "qualité",   "vélo",     "électrique", "rapide",     "facile",    "2026"};

const std::array<const char*, 96>& WordsOf(TPhraseLanguage language) {
    switch (language) {
    case TPhraseLanguage::Russian:
        return kRussianWords;
    case TPhraseLanguage::GermanFrench:
        return kGermanFrenchWords;
    case TPhraseLanguage::English:
        break;
    }
    return kWords;
}

// Upper case for the letters the word lists use: ASCII, Latin-1, the French ligature and Cyrillic.
char32_t UpperLetter(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F))
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (c == 0x153)
        return 0x152;
    return c;
}

// The phrase with the characters for which upper(index, previous character) holds in upper case.
template <class TWhich> std::string Upper(std::string_view phrase, TWhich upper) {
    std::string result;
    char32_t previous = U' ';
    for (std::size_t i = 0, index = 0; i < phrase.size(); ++index) {
        const char32_t c = Utf8::Next(phrase, i);
        Utf8::Append(upper(index, previous) ? UpperLetter(c) : c, result);
        previous = c;
    }
    return result;
}

std::string RandomPhrase(std::mt19937_64& rng, const std::array<const char*, 96>& kWords) {
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

std::string ChangeCase(std::string_view phrase, std::mt19937_64& rng) {
    switch (rng() % 3) {
    case 0:
        return Upper(phrase, [](std::size_t, char32_t) { return true; });
    case 1:
        return Upper(phrase, [](std::size_t index, char32_t) { return index == 0; });
    default:
        return Upper(phrase, [](std::size_t, char32_t previous) { return previous == U' '; });
    }
}

} // namespace

std::optional<TPhraseLanguage> PhraseLanguageNamed(std::string_view name) {
    if (name == "en")
        return TPhraseLanguage::English;
    if (name == "ru")
        return TPhraseLanguage::Russian;
    if (name == "de-fr")
        return TPhraseLanguage::GermanFrench;
    return std::nullopt;
}

std::vector<std::string> GeneratePhrases(std::size_t count, std::uint64_t seed, TPhraseLanguage language) {
    const auto& words = WordsOf(language);
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
            phrases.push_back(RandomPhrase(rng, words));
    }
    return phrases;
}

std::string PhrasesAsText(const std::vector<std::string>& phrases) {
    std::string text;
    for (const auto& p : phrases)
        text.append(p).append("\r\n");
    return text;
}
