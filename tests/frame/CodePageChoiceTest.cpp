#include "frame/CodePageChoice.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

TEST(CodePageChoice, LanguagesPickTheirWindowsCodePage) {
    const std::pair<const char*, int> cases[] = {
        {"ru_RU", 1251}, {"uk_UA", 1251}, {"sr_RS", 1251}, {"pl_PL", 1250}, {"hr_HR", 1250}, {"ro_RO", 1250},
        {"el_GR", 1253}, {"tr_TR", 1254}, {"he_IL", 1255}, {"ar_EG", 1256}, {"lt_LT", 1257}, {"et_EE", 1257},
        {"vi_VN", 1258}, {"de_DE", 1252}, {"en_US", 1252}, {"C", 1252},     {"ja_JP", 1252}};
    for (const auto& [name, codePage] : cases)
        EXPECT_EQ(CodePageForLocale(QLocale(name)), codePage) << name;
}

} // namespace
