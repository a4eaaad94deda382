#include "core/CodePage.h"

extern const TCodePage kCodePages[9];

namespace {

const TCodePage* g_active = nullptr;

} // namespace

const TCodePage& TCodePage::Get(int id) {
    if (id >= 1250 && id <= 1258)
        return kCodePages[id - 1250];
    return kCodePages[2];
}

const TCodePage& ActiveCodePage() {
    return g_active ? *g_active : TCodePage::Get(1252);
}

void SetActiveCodePage(const TCodePage& codePage) {
    g_active = &codePage;
}
