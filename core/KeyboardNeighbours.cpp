#include "KeyboardNeighbours.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 26> kLowerRows = {
    "zsqw",   "vngh",   "xvdf",   "sferxc", "wrsd34", "dgrtcv", "fhtyvb", "gjyubn", "uojk89",
    "hkuinm", "jliom",  "kop",    "njk",    "bmhj",   "ipkl90", "o0l",    "w12a",   "etdf45",
    "adwezx", "ryfg56", "yihj78", "cbfg",   "qe23as", "zcsd",   "tugh67", "xas"};

constexpr std::array<std::string_view, 26> kUpperRows = {
    "ZSQW",   "VNGH",   "XVDF",   "SFERXC", "WRSD34", "DGRTCV", "FHTYVB", "GJYUBN", "UOJK89",
    "HKUINM", "JLIOM",  "KOP",    "NJK",    "BMHJ",   "IPKL90", "O0L",    "W12A",   "ETDF45",
    "ADWEZX", "RYFG56", "YIHJ78", "CBFG",   "QE23AS", "ZCSD",   "TUGH67", "XAS"};

} // namespace

std::string_view QwertyNeighbours(char c) {
    if (c >= 'a' && c <= 'z')
        return kLowerRows[static_cast<std::size_t>(c - 'a')];
    if (c >= 'A' && c <= 'Z')
        return kUpperRows[static_cast<std::size_t>(c - 'A')];
    return {};
}
