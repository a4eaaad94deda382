#include "TextLocale.h"

namespace {

std::string g_locale;
bool g_turkic = false;

} // namespace

void SetTextLocale(std::string_view localeId) {
    g_locale.assign(localeId);
    const std::string_view language = localeId.substr(0, localeId.find_first_of("_-@"));
    g_turkic = language == "tr" || language == "az";
}

const std::string& TextLocale() {
    return g_locale;
}

bool IsTurkicLocale() {
    return g_turkic;
}
