#include "core/CodePage.h"

extern const TCodePage kCodePages[9];

const TCodePage& TCodePage::Get(int id) {
    if (id >= 1250 && id <= 1258)
        return kCodePages[id - 1250];
    return kCodePages[2];
}
