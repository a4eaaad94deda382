#include "core/KeyboardNeighbours.h"

#include <array>

namespace {

constexpr std::array<std::u32string_view, 26> kLatinLower = {
    U"zsqw",   U"vngh",   U"xvdf",   U"sferxc", U"wrsd34", U"dgrtcv", U"fhtyvb", U"gjyubn", U"uojk89",
    U"hkuinm", U"jliom",  U"kop",    U"njk",    U"bmhj",   U"ipkl90", U"o0l",    U"w12a",   U"etdf45",
    U"adwezx", U"ryfg56", U"yihj78", U"cbfg",   U"qe23as", U"zcsd",   U"tugh67", U"xas"};

constexpr std::array<std::u32string_view, 26> kLatinUpper = {
    U"ZSQW",   U"VNGH",   U"XVDF",   U"SFERXC", U"WRSD34", U"DGRTCV", U"FHTYVB", U"GJYUBN", U"UOJK89",
    U"HKUINM", U"JLIOM",  U"KOP",    U"NJK",    U"BMHJ",   U"IPKL90", U"O0L",    U"W12A",   U"ETDF45",
    U"ADWEZX", U"RYFG56", U"YIHJ78", U"CBFG",   U"QE23AS", U"ZCSD",   U"TUGH67", U"XAS"};

// а to я. The keys as on QWERTY: left, right, then for the top letter row the two keys below and the two
// digits above, for the middle row the two keys above and the two below, for the bottom row the two above.
constexpr std::array<std::u32string_view, 32> kCyrillicLower = {
    U"впкесм", U"ьюлд",   U"ыаукчс", U"ншро78", U"лжщзбю", U"кнап56", U"дэзхю",  U"щхдж0",
    U"мтпр",   U"цф12",   U"уева45", U"одшщьб", U"сиап",   U"егпр67", U"рлгшть", U"аренми",
    U"понгит", U"чмва",   U"иьро",   U"цкыв34", U"ыйця",   U"зъжэ",   U"йуфы23", U"ясыв",
    U"гщол89", U"шзлд90", U"хэ",     U"фвцуяч", U"тбол",   U"жхъ",    U"бдж",    U"чфы"};

constexpr std::array<std::u32string_view, 32> kCyrillicUpper = {
    U"ВПКЕСМ", U"ЬЮЛД",   U"ЫАУКЧС", U"НШРО78", U"ЛЖЩЗБЮ", U"КНАП56", U"ДЭЗХЮ",  U"ЩХДЖ0",
    U"МТПР",   U"ЦФ12",   U"УЕВА45", U"ОДШЩЬБ", U"СИАП",   U"ЕГПР67", U"РЛГШТЬ", U"АРЕНМИ",
    U"ПОНГИТ", U"ЧМВА",   U"ИЬРО",   U"ЦКЫВ34", U"ЫЙЦЯ",   U"ЗЪЖЭ",   U"ЙУФЫ23", U"ЯСЫВ",
    U"ГЩОЛ89", U"ШЗЛД90", U"ХЭ",     U"ФВЦУЯЧ", U"ТБОЛ",   U"ЖХЪ",    U"БДЖ",    U"ЧФЫ"};

} // namespace

std::u32string_view KeyboardNeighbours(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return kLatinLower[c - U'a'];
    if (c >= U'A' && c <= U'Z')
        return kLatinUpper[c - U'A'];
    if (c >= U'а' && c <= U'я')
        return kCyrillicLower[c - U'а'];
    if (c >= U'А' && c <= U'Я')
        return kCyrillicUpper[c - U'А'];
    // Ё sits left of the digit 1.
    if (c == U'ё' || c == U'Ё')
        return U"1";
    return {};
}
