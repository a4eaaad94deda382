#include "core/TextLocale.h"

namespace {

std::string g_locale;

} // namespace

void SetTextLocale(std::string_view localeId) {
    g_locale.assign(localeId);
    const std::string_view language = localeId.substr(0, localeId.find_first_of("_-@"));
    TextLocaleState::Turkic = language == "tr" || language == "az";
}

const std::string& TextLocale() {
    return g_locale;
}
