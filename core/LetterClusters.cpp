#include "core/LetterClusters.h"

#include "core/Utf8.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

namespace {

bool IsMark(char32_t c) {
    return c >= 0x300 && (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_M_MASK) != 0;
}

bool IsControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The single character a letter with its marks composes to, as é from e and U+0301 (or K from the Kelvin
// sign); 0 when it stays longer.
char32_t Composed(std::string_view cluster) {
    UErrorCode status = U_ZERO_ERROR;
    UChar wide[32];
    int32_t wideLength = 0;
    u_strFromUTF8(wide, 32, &wideLength, cluster.data(), static_cast<int32_t>(cluster.size()), &status);
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    UChar composed[32];
    const int32_t length = unorm2_normalize(nfc, wide, wideLength, composed, 32, &status);
    if (U_FAILURE(status) || length == 0)
        return 0;
    UChar32 c = 0;
    int32_t at = 0;
    U16_NEXT(composed, at, length, c);
    return at == length ? static_cast<char32_t>(c) : 0;
}

} // namespace

std::vector<TCluster> LetterClusters(std::string_view text) {
    std::vector<TCluster> clusters;
    for (std::size_t i = 0; i < text.size();) {
        TCluster cluster{i, i, false, 0};
        const char32_t base = Utf8::Next(text, i);
        if (!IsControl(base)) {
            for (std::size_t next = i; next < text.size() && IsMark(Utf8::Next(text, next));)
                i = next;
        }
        cluster.End = i;
        cluster.LetterOrDigit = u_isalnum(static_cast<UChar32>(base)) != 0;
        if (cluster.LetterOrDigit)
            cluster.Key = base < 0x80 && cluster.End == cluster.Start + 1
                              ? base
                              : Composed(text.substr(cluster.Start, cluster.End - cluster.Start));
        clusters.push_back(cluster);
    }
    return clusters;
}
