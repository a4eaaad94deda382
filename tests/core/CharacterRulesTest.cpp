// The word and character rules on Unicode texts, each held against a plain model that decodes the whole
// text first and works on code points (and, for misspellings, on ICU's grapheme clusters).
#include "core/CharSet.h"
#include "core/CheckpointTrail.h"
#include "core/KeyItems.h"
#include "core/KeyboardNeighbours.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "core/Utf8.h"
#include "core/WordRules.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <unicode/ubrk.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utext.h>

namespace {

using Strings = std::vector<std::string>;

// One character of a text: a well-formed sequence, or a malformed byte that reads as U+FFFD.
struct TUnit {
    char32_t Code;
    std::string Bytes;
    bool operator==(const TUnit&) const = default;
};

std::vector<TUnit> Units(std::string_view text) {
    std::vector<TUnit> units;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = std::max<std::size_t>(Utf8::SequenceLength(text, i), 1);
        std::size_t next = i;
        units.push_back({Utf8::Next(text, next), std::string(text.substr(i, n))});
        i += n;
    }
    return units;
}

std::string Joined(const std::vector<TUnit>& units) {
    std::string text;
    for (const auto& u : units)
        text += u.Bytes;
    return text;
}

std::string Encoded(std::u32string_view chars) {
    std::string text;
    for (char32_t c : chars)
        Utf8::Append(c, text);
    return text;
}

bool Blank(char32_t c) {
    return c == ' ' || c == '\t' || (c >= 0x80 && u_isUWhiteSpace(static_cast<UChar32>(c)));
}

// Letters of several scripts in 1 to 4 bytes, digits beyond ASCII, combining marks (non-spacing, spacing,
// enclosing), the word blanks beyond ASCII and the punctuation the rules look at; few enough that runs
// and repeats occur.
constexpr std::u32string_view kAlphabet =
    U"aZ5 \t.'\"[]\u00A0\u2003\u3000\u0085\u1680\u202F\u00E9\u00DF\u00FF\u0451\u0401\u0439\u0419\u0436"
    U"\u03C3\u03A3\u65E5\u672C\U0001F600\U0001D7D8\u0301\u0306\u20DD\u0663\u0915\u093E\u05E9";

class TRandomUnicode {
public:
    explicit TRandomUnicode(std::uint32_t seed) : rng_(seed) {}

    std::string Text(std::size_t maxChars, std::u32string_view alphabet = kAlphabet) {
        std::string text;
        for (std::size_t n = Below(maxChars + 1); n > 0; --n)
            Utf8::Append(alphabet[Below(alphabet.size())], text);
        return text;
    }
    // Now and then a stray byte: a lone continuation, a cut sequence, a byte no text may hold.
    std::string DamagedText(std::size_t maxChars) {
        std::string text = Text(maxChars);
        static constexpr char Stray[] = {'\x80', '\xC2', '\xE2', '\xF0', '\xFF', '\xBF'};
        for (int k = static_cast<int>(Below(3)); k > 0; --k)
            text.insert(Below(text.size() + 1), 1, Stray[Below(std::size(Stray))]);
        return text;
    }
    TCharSet Set(std::set<char32_t>& model) {
        TCharSet set;
        model.clear();
        for (int k = static_cast<int>(Below(6)); k > 0; --k) {
            const char32_t c = kAlphabet[Below(kAlphabet.size())];
            set.Include(c);
            model.insert(c);
        }
        return set;
    }
    std::size_t Below(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng_);
    }

private:
    std::mt19937 rng_;
};

// The plain models.

int ModelCountWords(std::string_view text) {
    int words = 0;
    bool previousBlank = true;
    for (const auto& u : Units(text)) {
        words += previousBlank && !Blank(u.Code);
        previousBlank = Blank(u.Code);
    }
    return words;
}

template <class TIn> Strings ModelSplit(std::string_view text, TIn in) {
    Strings words{""};
    for (const auto& u : Units(text)) {
        if (!in(u.Code))
            words.back() += u.Bytes;
        else if (!words.back().empty())
            words.emplace_back();
    }
    if (words.back().empty())
        words.pop_back();
    return words;
}

template <class TIn> std::string ModelTrim(std::string_view text, TIn in) {
    auto units = Units(text);
    while (!units.empty() && in(units.front().Code))
        units.erase(units.begin());
    while (!units.empty() && in(units.back().Code))
        units.pop_back();
    return Joined(units);
}

template <class TIn> std::string ModelRemove(std::string_view text, TIn in) {
    std::string kept;
    for (const auto& u : Units(text))
        if (!in(u.Code))
            kept += u.Bytes;
    return kept;
}

std::string ModelCollapseSpaces(std::string_view text) {
    std::vector<TUnit> kept;
    for (const auto& u : Units(text))
        if (kept.empty() || !Blank(u.Code) || !Blank(kept.back().Code))
            kept.push_back(u);
    return Joined(kept);
}

std::string ModelCollapseRepeats(std::string_view text) {
    auto units = Units(text);
    units.erase(std::unique(units.begin(), units.end()), units.end());
    return Joined(units);
}

// Grapheme clusters by ICU, with the first code point and the one character each composes to.
struct TModelCluster {
    std::string Bytes;
    char32_t First;
    char32_t Composed;
};

std::vector<TModelCluster> ModelClusters(const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    UText* utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    UBreakIterator* breaks = ubrk_open(UBRK_CHARACTER, "en", nullptr, 0, &status);
    ubrk_setUText(breaks, utext, &status);
    std::vector<TModelCluster> clusters;
    for (int32_t start = ubrk_first(breaks), end = ubrk_next(breaks); end != UBRK_DONE;
         start = end, end = ubrk_next(breaks)) {
        const std::string bytes =
            text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
        std::u16string wide(bytes.size() * 2, u'\0');
        int32_t wideLength = 0;
        u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), &wideLength, bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
        std::u16string nfc(wide.size() + 8, u'\0');
        const int32_t nfcLength = unorm2_normalize(unorm2_getNFCInstance(&status), wide.data(), wideLength,
                                                   nfc.data(), static_cast<int32_t>(nfc.size()), &status);
        UChar32 first = 0, composed = 0;
        int32_t at = 0;
        U16_NEXT(wide.data(), at, wideLength, first);
        at = 0;
        U16_NEXT(nfc.data(), at, nfcLength, composed);
        clusters.push_back(
            {bytes, static_cast<char32_t>(first), at == nfcLength ? static_cast<char32_t>(composed) : 0});
    }
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    ubrk_close(breaks);
    utext_close(utext);
    return clusters;
}

Strings ModelMisspellings(const std::string& phrase) {
    const auto clusters = ModelClusters(phrase);
    const auto joined = [&](std::size_t from, std::size_t to) {
        std::string text;
        for (std::size_t k = from; k < to; ++k)
            text += clusters[k].Bytes;
        return text;
    };
    const std::size_t n = clusters.size();
    const auto alnum = [&](std::size_t k) { return u_isalnum(static_cast<UChar32>(clusters[k].First)) != 0; };
    Strings out{phrase};
    for (std::size_t k = 0; k < n; ++k)
        if (alnum(k))
            out.push_back(joined(0, k + 1) + clusters[k].Bytes + joined(k + 1, n));
    for (std::size_t k = 0; k + 1 < n; ++k)
        if (alnum(k))
            out.push_back(joined(0, k) + clusters[k + 1].Bytes + clusters[k].Bytes + joined(k + 2, n));
    for (std::size_t k = 0; k < n; ++k)
        if (alnum(k))
            out.push_back(joined(0, k) + joined(k + 1, n));
    for (std::size_t k = 0; k < n; ++k)
        if (alnum(k) && clusters[k].Composed != 0)
            for (char32_t neighbour : KeyboardNeighbours(clusters[k].Composed))
                out.push_back(joined(0, k) + Encoded({&neighbour, 1}) + joined(k + 1, n));
    return out;
}

Strings Cleaned(const Strings& texts, void (TKeyItems::*operation)()) {
    TKeyItems list;
    for (const auto& t : texts)
        list.AddKeyword(t);
    (list.*operation)();
    return Texts(list);
}

template <class TModel> Strings EachModel(const Strings& texts, TModel model) {
    Strings out;
    for (const auto& t : texts)
        out.push_back(model(t));
    return out;
}

void ExpectAllValid(const Strings& texts) {
    for (const auto& t : texts)
        ASSERT_TRUE(Utf8::IsValid(t)) << t;
}

class CharacterRulesTest : public ::testing::Test {
protected:
    void SetUp() override { UnwindTrail(true); }
    void TearDown() override { UnwindTrail(true); }
};

TEST_F(CharacterRulesTest, FixedSetsAreTheUnicodeBlanksAndTheirFastTestKnowsEveryLeadByte) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const bool blank = Blank(c);
        ASSERT_EQ(IsWordBlank(c), blank) << std::hex << unsigned(c);
        ASSERT_EQ(BlankSet().Contains(c), blank) << std::hex << unsigned(c);
        ASSERT_EQ(RecombineSeparators().Contains(c), blank || c == '.') << std::hex << unsigned(c);
        ASSERT_EQ(MatchTypeTrimSet().Contains(c), blank || c == '"' || c == '\'' || c == '[' || c == ']');
        if (blank && c >= 0x80) {
            const std::string bytes = Encoded({&c, 1});
            ASSERT_TRUE(MayStartWideBlank(static_cast<std::uint8_t>(bytes[0]))) << std::hex << unsigned(c);
            ASSERT_EQ(BlankLength(bytes, 0), bytes.size());
        }
    }
}

TEST_F(CharacterRulesTest, CharSetAgreesWithAnOrderedSet) {
    std::mt19937 rng(3);
    TCharSet set;
    std::set<char32_t> model;
    const char32_t picks[] = {0, 9, 63, 64, 127, 128, 0xE9, 0x401, 0xFFFD, 0x1F600, 0x10FFFF};
    for (int step = 0; step < 4000; ++step) {
        const char32_t c = picks[rng() % std::size(picks)];
        if (rng() % 3 == 0) {
            set.Exclude(c);
            model.erase(c);
        } else {
            set.Include(c);
            model.insert(c);
        }
        ASSERT_EQ(set.Size(), static_cast<int>(model.size()));
        ASSERT_EQ(set.Empty(), model.empty());
        ASSERT_EQ(set.AsciiOnly(), model.empty() || *model.rbegin() < 0x80);
        if (!model.empty()) {
            ASSERT_EQ(set.Lowest(), *model.begin());
        }
        for (char32_t p : picks)
            ASSERT_EQ(set.Contains(p), model.count(p) == 1);
        TCharSet copy;
        for (char32_t m : model)
            copy.Include(m);
        ASSERT_TRUE(copy == set);
    }
}

TEST_F(CharacterRulesTest, WordRulesAgreeWithTheModelOnEveryScript) {
    TRandomUnicode random(11);
    for (int round = 0; round < 4000; ++round) {
        const std::string text = round % 4 == 3 ? random.DamagedText(16) : random.Text(16);
        ASSERT_EQ(CountWords(text), ModelCountWords(text)) << text;
        std::set<char32_t> chosen;
        const TCharSet set = random.Set(chosen);
        const auto in = [&](char32_t c) { return chosen.count(c) == 1; };
        Strings words;
        if (!set.Empty()) {
            SplitWords(text, set, words);
            ASSERT_EQ(words, ModelSplit(text, in)) << text;
        }
        SplitWords(text, RecombineSeparators(), words);
        ASSERT_EQ(words, ModelSplit(text, [](char32_t c) { return Blank(c) || c == '.'; })) << text;
        const std::string core = ModelTrim(
            text, [](char32_t c) { return Blank(c) || c == '"' || c == '\'' || c == '[' || c == ']'; });
        ASSERT_EQ(WrapMatchType(text, ExactMatch), "[" + core + "]") << text;
        ASSERT_EQ(TrimmedBy(text, set), ModelTrim(text, in)) << text;
        const auto units = Units(text);
        const std::size_t at = random.Below(units.size() + 2);
        ASSERT_EQ(TextAfter(text, at),
                  Joined({units.begin() + static_cast<long>(std::min(at, units.size())), units.end()}));
        ASSERT_EQ(PadLeft(text, at, '0'), std::string(at > units.size() ? at - units.size() : 0, '0') + text);
        if (Utf8::IsValid(text)) {
            ExpectAllValid(words);
            ASSERT_TRUE(Utf8::IsValid(WrapMatchType(text, PhraseMatch)));
        }
    }
}

TEST_F(CharacterRulesTest, CleaningAgreesWithTheModelOnEveryScript) {
    TRandomUnicode random(17);
    Strings texts;
    for (int i = 0; i < 3000; ++i)
        texts.push_back(i % 5 == 4 ? random.DamagedText(20)
                                   : random.Text(20, U"a\u0451\u00E9 \u00A0\u3000\t.\U0001F600"));
    // Long enough to be rewritten on two threads.
    for (int i = 0; i < 70000; ++i)
        texts.push_back(random.Text(12));

    Strings got = Cleaned(texts, &TKeyItems::CollapseSpaces);
    EXPECT_EQ(got, EachModel(texts, ModelCollapseSpaces));
    ExpectAllValid({got.begin() + 3000, got.end()});
    got = Cleaned(texts, &TKeyItems::CollapseRepeats);
    EXPECT_EQ(got, EachModel(texts, ModelCollapseRepeats));
    ExpectAllValid({got.begin() + 3000, got.end()});

    // Sets with and without members beyond ASCII; the long list only for the first two.
    const Strings shortTexts(texts.begin(), texts.begin() + 3000);
    for (int round = 0; round < 8; ++round) {
        std::set<char32_t> chosen{'a', ' '};
        const TCharSet set = round == 0 ? TCharSet{'a', ' '} : random.Set(chosen);
        const auto in = [&](char32_t c) { return chosen.count(c) == 1; };
        const Strings& source = round < 2 ? texts : shortTexts;
        TKeyItems removed;
        TKeyItems trimmed;
        for (const auto& t : source) {
            removed.AddKeyword(t);
            trimmed.AddKeyword(t);
        }
        removed.RemoveChars(set);
        trimmed.TrimChars(set);
        const Strings removedTexts = Texts(removed);
        const Strings trimmedTexts = Texts(trimmed);
        EXPECT_EQ(removedTexts, EachModel(source, [&](const std::string& t) { return ModelRemove(t, in); }));
        EXPECT_EQ(trimmedTexts, EachModel(source, [&](const std::string& t) { return ModelTrim(t, in); }));
        for (std::size_t i = 0; i < source.size(); ++i)
            ASSERT_TRUE(!Utf8::IsValid(source[i]) ||
                        (Utf8::IsValid(removedTexts[i]) && Utf8::IsValid(trimmedTexts[i])))
                << source[i];
    }
}

TEST_F(CharacterRulesTest, CleaningByHand) {
    TKeyItems list;
    Fill(list, {"a\u00A0\u00A0b", "a \u3000\tb", "\u2003", "\u0451\u0451\u0436\u0436", "ee\u0301\u0301",
                "\U0001F600\U0001F600x", "\xC2\xC2\xA0 \xA0"});
    list.CollapseSpaces();
    EXPECT_EQ(Texts(list), (Strings{"a\u00A0b", "a b", "\u2003", "\u0451\u0451\u0436\u0436", "ee\u0301\u0301",
                                    "\U0001F600\U0001F600x", "\xC2\xC2\xA0\xA0"}));
    list.CollapseRepeats();
    EXPECT_EQ(Texts(list), (Strings{"a\u00A0b", "a b", "\u2003", "\u0451\u0436", "e\u0301", "\U0001F600x",
                                    "\xC2\xC2\xA0\xA0"}));
    list.RemoveChars(TCharSet{U'\u0451', U'\U0001F600', 0x301});
    list.TrimChars(TCharSet{'a', 'b', 'x', U'\u00A0'});
    EXPECT_EQ(Texts(list), (Strings{"", " ", "\u2003", "\u0436", "e", "", "\xC2\xC2\xA0\xA0"}));
}

TEST_F(CharacterRulesTest, MisspellingsKeepMarksWithTheirLettersAndAgreeWithGraphemeClusters) {
    TRandomUnicode random(29);
    Strings phrases;
    for (int i = 0; i < 400; ++i)
        phrases.push_back(random.Text(7));
    Strings expected;
    for (const auto& p : phrases)
        for (auto& v : ModelMisspellings(p))
            expected.push_back(std::move(v));
    TKeyItems target;
    AddMisspellings(phrases, DoubledChars | SwappedChars | MissingChars | QwertyErrors, target);
    const Strings got = Texts(target);
    EXPECT_EQ(got, expected);
    ExpectAllValid(got);
}

TEST_F(CharacterRulesTest, MisspellingsByHand) {
    const auto misspelled = [](const std::string& phrase, int kinds) {
        TKeyItems target;
        AddMisspellings({phrase}, kinds, target);
        return Texts(target);
    };
    EXPECT_EQ(misspelled("e\u0301x", DoubledChars), (Strings{"e\u0301x", "e\u0301e\u0301x", "e\u0301xx"}));
    EXPECT_EQ(misspelled("e\u0301x", SwappedChars), (Strings{"e\u0301x", "xe\u0301"}));
    EXPECT_EQ(misspelled("\u0451\u0436", MissingChars), (Strings{"\u0451\u0436", "\u0436", "\u0451"}));
    EXPECT_EQ(misspelled("\u0663\U0001F600", SwappedChars),
              (Strings{"\u0663\U0001F600", "\U0001F600\u0663"}));
    // Ё lies beside 1 only; a decomposed й is the key й.
    EXPECT_EQ(misspelled("\u0401", QwertyErrors), (Strings{"\u0401", "1"}));
    EXPECT_EQ(misspelled("\u0438\u0306", QwertyErrors),
              (Strings{"\u0438\u0306", "\u0446", "\u0444", "1", "2"}));
    EXPECT_EQ(misspelled("\u00E9", QwertyErrors), Strings{"\u00E9"});
    EXPECT_EQ(misspelled("\u212A", QwertyErrors), (Strings{"\u212A", "J", "L", "I", "O", "M"}));
}

TEST_F(CharacterRulesTest, CyrillicRowsAreOnTheLayoutAndUpperCasedForCapitals) {
    const std::u32string_view layout = U"\u0451\u0439\u0446\u0443\u043A\u0435\u043D\u0433\u0448\u0449\u0437"
                                       U"\u0445\u044A\u0444\u044B\u0432\u0430\u043F\u0440\u043E\u043B\u0434"
                                       U"\u0436\u044D\u044F\u0447\u0441\u043C\u0438\u0442\u044C\u0431\u044E"
                                       U"1234567890";
    EXPECT_EQ(KeyboardNeighbours(U'\u0439'), U"\u0446\u0444"
                                             U"12");
    for (char32_t c = 0x430; c <= 0x44F; ++c) {
        const std::u32string_view row = KeyboardNeighbours(c);
        ASSERT_FALSE(row.empty()) << std::hex << unsigned(c);
        std::u32string upper;
        for (char32_t n : row) {
            ASSERT_NE(layout.find(n), std::u32string_view::npos) << std::hex << unsigned(c);
            ASSERT_NE(n, c);
            // A neighbour that is a letter has c among its own neighbours.
            if (n > '9') {
                ASSERT_NE(KeyboardNeighbours(n).find(c), std::u32string_view::npos)
                    << std::hex << unsigned(c) << ' ' << unsigned(n);
            }
            upper += static_cast<char32_t>(u_toupper(static_cast<UChar32>(n)));
        }
        EXPECT_EQ(KeyboardNeighbours(static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)))), upper);
    }
}

TEST_F(CharacterRulesTest, MultiplyingCountsTheBudgetExactlyBeyondAscii) {
    const Strings phrases{"\u0451\u0436 e\u0301\u00E9", "\U0001F600\u0439", "", "\u0915\u093E 5"};
    for (int kinds : {1, 2, 4, 8, 15}) {
        TKeyItems reference;
        AddMisspellings(phrases, kinds, reference);
        std::size_t needed = 0;
        for (const auto& t : Texts(reference))
            needed += sizeof(TKeyItem) + t.size();
        TKeyItems list;
        EXPECT_THROW(AddMisspellings(phrases, kinds, list, needed - 1), EMemoryBudgetError) << kinds;
        EXPECT_EQ(list.Count(), 0);
        UnwindTrail(true);
        AddMisspellings(phrases, kinds, list, needed);
        EXPECT_EQ(Texts(list), Texts(reference));
    }
}

TEST_F(CharacterRulesTest, RecombiningCutsAtUnicodeBlanksAndFullStops) {
    TKeyItems target;
    RecombineWords({"\u0440\u0443\u0431\u043B\u044C\u00A0\u043A\u0443\u043F\u0438\u0442\u044C.\u3000x"}, 5,
                   target);
    EXPECT_EQ(Texts(target).size(), 6u);
    EXPECT_EQ(Texts(target)[1], "\u0440\u0443\u0431\u043B\u044C x \u043A\u0443\u043F\u0438\u0442\u044C");
    TRandomUnicode random(31);
    for (int round = 0; round < 300; ++round) {
        const std::string phrase = random.Text(10);
        TKeyItems list;
        RecombineWords({phrase}, 3, list);
        const Strings words = ModelSplit(phrase, [](char32_t c) { return Blank(c) || c == '.'; });
        if (words.size() > 3) {
            EXPECT_EQ(list.Count(), 0);
            continue;
        }
        std::string first;
        for (std::size_t k = 0; k < words.size(); ++k)
            first += (k > 0 ? " " : "") + words[k];
        ASSERT_GE(list.Count(), 1);
        EXPECT_EQ(list.GetKeyItem(0).Text(), first);
        ExpectAllValid(Texts(list));
    }
}

} // namespace
