#include "core/CodePage.h"

#include <gtest/gtest.h>
#include <set>

namespace {

// Legacy files must read back byte for byte: every byte of every code page is a character of its own.
TEST(CodePage, EveryByteOfEveryPageIsADistinctCharacter) {
    for (int id = 1250; id <= 1258; ++id) {
        const TCodePage& cp = TCodePage::Get(id);
        EXPECT_EQ(cp.Id, id);
        const std::set<char16_t> distinct(cp.Unicode.begin(), cp.Unicode.end());
        EXPECT_EQ(distinct.size(), 256u) << id;
        for (int b = 0; b < 0x80; ++b)
            EXPECT_EQ(cp.Unicode[static_cast<std::size_t>(b)], b) << id;
    }
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(TCodePage::Get(1251).Unicode[0xCE], u'О');
    EXPECT_EQ(TCodePage::Get(1251).Unicode[0xB8], u'ё');
    EXPECT_EQ(TCodePage::Get(1252).Unicode[0x80], u'€');
    EXPECT_EQ(TCodePage::Get(1252).Unicode[0xE9], u'é');
    EXPECT_EQ(TCodePage::Get(1253).Unicode[0xF3], u'σ');
    EXPECT_EQ(TCodePage::Get(1254).Unicode[0xFD], u'ı');
    EXPECT_EQ(TCodePage::Get(1255).Unicode[0xF9], u'ש');
}

TEST(CodePage, OutOfRangeIdGivesWestern) {
    EXPECT_EQ(TCodePage::Get(437).Id, 1252);
    EXPECT_EQ(TCodePage::Get(1258).Id, 1258);
}

} // namespace
