#include "core/Utf8.h"

#include <unicode/uchar.h>

bool IsWordBlank(char32_t c) {
    if (c < 0x80)
        return c == ' ' || c == '\t';
    return u_isUWhiteSpace(static_cast<UChar32>(c));
}
