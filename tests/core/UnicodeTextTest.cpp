#include "core/CaseFolding.h"
#include "core/CaseMapping.h"
#include "core/Collation.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"
#include "tests/core/RandomText.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

namespace {

using Strings = std::vector<std::string>;

// Letters with diacritics, Cyrillic, Greek with final sigma, Armenian, Georgian, the Turkish i's, Hebrew,
// CJK, an emoji, combining marks, the Kelvin sign and long s (which fold to ASCII), blanks of several kinds.
constexpr const char* ManyScripts =
    "aAzZ éÉàÀçÇßẞœŒ ЁёЖжЯя ΣσςΆά ԱաՖֆ ႠⴀაIiıİ שלום 中文 😀 e\u0301 \u212A\u017F"
    "\u00a0\u3000\t.-'1";

std::u16string Utf16(std::string_view text) {
    std::u16string out(text.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                  text.data(), static_cast<int32_t>(text.size()), &status);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string FromUtf16(const std::u16string& text) {
    std::string out(text.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length,
                reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()), &status);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

// ICU's own UTF-16 case mapping, the standard the UTF-8 route and its ASCII shortcut are held to.
std::string IcuCase(std::string_view text, const char* locale, bool upper) {
    const std::u16string source = Utf16(text);
    std::u16string out(source.size() * 3 + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const auto map = upper ? u_strToUpper : u_strToLower;
    const int32_t length = map(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                               reinterpret_cast<const UChar*>(source.data()),
                               static_cast<int32_t>(source.size()), locale, &status);
    out.resize(static_cast<std::size_t>(length));
    return FromUtf16(out);
}

// Simple case folding character by character, straight from ICU.
std::u32string IcuFolded(std::string_view text, bool turkic) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();)
        out +=
            static_cast<char32_t>(u_foldCase(static_cast<UChar32>(Utf8::Next(text, i)),
                                             turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT));
    return out;
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

class UnicodeTextTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { SetTextLocale(GetParam()); }
    void TearDown() override { SetTextLocale(""); }
};

TEST_P(UnicodeTextTest, CaseMappingAgreesWithIcu) {
    TRandomText random(1);
    for (const auto& text : random.Texts(ManyScripts, 2000, 12)) {
        std::string upper;
        std::string lower;
        AppendUpperCase(text, upper);
        AppendLowerCase(text, lower);
        EXPECT_EQ(upper, IcuCase(text, GetParam(), true)) << text;
        EXPECT_EQ(lower, IcuCase(text, GetParam(), false)) << text;
        EXPECT_TRUE(Utf8::IsValid(upper) && Utf8::IsValid(lower)) << text;
        EXPECT_TRUE(SameText(SimpleUpperCase(text), text)) << text;
    }
}

TEST_P(UnicodeTextTest, EqualityAndHashFollowSimpleFolding) {
    const bool turkic = IsTurkicLocale();
    TRandomText random(2);
    const Strings texts = random.Texts("aAiIıİσςΣЁёK\u212As\u017Fß", 1500, 3);
    for (std::size_t k = 0; k + 1 < texts.size(); ++k) {
        const std::string& a = texts[k];
        const std::string& b = texts[k + 1];
        const bool same = IcuFolded(a, turkic) == IcuFolded(b, turkic);
        EXPECT_EQ(SameText(a, b), same) << a << " / " << b;
        EXPECT_EQ(Folded(a) == Folded(b), same) << a << " / " << b;
        if (same) {
            EXPECT_EQ(FoldedHash(a), FoldedHash(b)) << a << " / " << b;
        }
    }
    // Texts of every length up to three words, each beside a twin whose s and k are written as characters
    // that fold to them: the ASCII text is hashed on its own fast path, the twin folded first.
    const Strings words = random.Texts("aAsSkKtT", 600, 24);
    for (const std::string& word : words) {
        std::string twin;
        for (const char c : word)
            twin += c == 's' ? "\u017F" : c == 'K' ? "\u212A" : std::string(1, c);
        if (twin == word)
            continue;
        EXPECT_TRUE(SameText(word, twin)) << word;
        EXPECT_EQ(FoldedHash(word), FoldedHash(twin)) << word;
    }
    for (char32_t c = 0; c < 0x3000; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const auto icu = static_cast<char32_t>(u_foldCase(
            static_cast<UChar32>(c), turkic ? U_FOLD_CASE_EXCLUDE_SPECIAL_I : U_FOLD_CASE_DEFAULT));
        ASSERT_EQ(FoldChar(c), icu) << std::hex << static_cast<std::uint32_t>(c);
        std::string text = "Ab";
        std::string expected = "ab";
        Utf8::Append(c, text);
        Utf8::Append(icu, expected);
        ASSERT_EQ(Folded(text), expected) << std::hex << static_cast<std::uint32_t>(c);
    }
    EXPECT_TRUE(SameText("Ёлка", "ёлка"));
    EXPECT_TRUE(SameText("ÉCOLE", "école"));
    EXPECT_TRUE(SameText("ΣΟΦΊΑ", "σοφία"));
    EXPECT_EQ(SameText("İstanbul", "istanbul"), turkic);
}

// A total order that agrees with folded equality, so that sorting never separates two equal texts.
TEST_P(UnicodeTextTest, ComparisonIsATotalOrderConsistentWithEquality) {
    TRandomText random(3);
    Strings texts = random.Texts(ManyScripts, 400, 6);
    for (const auto& t : random.Texts("aAéÉeE\u0301", 200, 4))
        texts.push_back(t);
    std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return CompareText(a, b) < 0; });
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i; j < texts.size(); ++j) {
            const int ij = CompareText(texts[i], texts[j]);
            ASSERT_LE(ij, 0) << texts[i] << " / " << texts[j];
            ASSERT_EQ(Sign(CompareText(texts[j], texts[i])), -Sign(ij));
            ASSERT_EQ(ij == 0, SameText(texts[i], texts[j])) << texts[i] << " / " << texts[j];
        }
}

// The sort reads keys a window at a time, by table for most texts: every window is that stretch of the
// whole key, zeros past its end.
TEST_P(UnicodeTextTest, KeyWindowsAreStretchesOfTheWholeKey) {
    const TCollation& collation = TCollation::Current();
    TRandomText random(6);
    Strings texts = random.Texts(ManyScripts, 300, 30);
    for (const auto& t : random.Texts("abc ЁёЖжσΣ", 300, 40))
        texts.push_back(t);
    for (const auto& text : texts) {
        std::string key;
        collation.AppendKey(text, key);
        for (const std::size_t from : {0, 1, 24, 48, 70})
            for (const std::size_t count : {2, 24}) {
                std::uint8_t window[24];
                collation.KeyBytes(text, from, window, count);
                for (std::size_t k = 0; k < count; ++k)
                    ASSERT_EQ(window[k], from + k < key.size() ? static_cast<std::uint8_t>(key[from + k]) : 0)
                        << text << " from " << from << " byte " << k;
            }
    }
}

// On letters that weigh one character each, the order is the locale collator's wherever it sees a
// difference short of case.
TEST_P(UnicodeTextTest, OrderAgreesWithTheLocaleCollator) {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open(GetParam(), &status);
    ASSERT_TRUE(U_SUCCESS(status));
    ucol_setStrength(collator, UCOL_SECONDARY);
    TRandomText random(4);
    const Strings texts = random.Texts("abeEéèêzZ ёеЕЁжЖяσΣάωAÀ", 3000, 5);
    int checked = 0;
    for (std::size_t k = 0; k + 1 < texts.size(); ++k) {
        const std::u16string a = Utf16(texts[k]);
        const std::u16string b = Utf16(texts[k + 1]);
        const int icu =
            ucol_strcoll(collator, reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                         reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()));
        if (icu == UCOL_EQUAL)
            continue;
        ++checked;
        EXPECT_EQ(Sign(CompareText(texts[k], texts[k + 1])), Sign(icu)) << texts[k] << " / " << texts[k + 1];
    }
    ucol_close(collator);
    EXPECT_GT(checked, 2500);
    EXPECT_LT(CompareText("ecole", "école"), 0);
    EXPECT_LT(CompareText("école", "ecolf"), 0);
    EXPECT_LT(CompareText("елка", "ёлка"), 0);
    EXPECT_LT(CompareText("ёлка", "елки"), 0);
}

INSTANTIATE_TEST_SUITE_P(Locales, UnicodeTextTest,
                         ::testing::Values("en_US", "ru_RU", "de_DE", "tr_TR", "el_GR"));

} // namespace
