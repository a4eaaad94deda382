#pragma once

#include <string>
#include <string_view>

// The user's locale for the text rules (ICU locale id such as "de_DE" or "tr_TR"): case mapping, the
// Turkish and Azeri dotted and dotless i, and collation follow it. Set once at start, before any list
// operation runs; the root locale until then.
void SetTextLocale(std::string_view localeId);
const std::string& TextLocale();
namespace TextLocaleState {
inline bool Turkic = false;
} // namespace TextLocaleState

// Turkish or Azeri: I lowers to dotless ı and i uppers to dotted İ. Asked for every text, so inline.
inline bool IsTurkicLocale() {
    return TextLocaleState::Turkic;
}
