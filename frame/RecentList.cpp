#include "RecentList.h"

#include "CodePage.h"

#include <algorithm>

void RememberRecent(TRecentList& list, const std::string& text) {
    const TCodePage& codePage = ActiveCodePage();
    const auto same = std::find_if(list.begin(), list.end(),
                                   [&](const std::string& entry) { return codePage.SameText(entry, text); });
    if (same != list.end())
        list.erase(same);
    list.insert(list.begin(), text);
}
