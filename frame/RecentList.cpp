#include "frame/RecentList.h"

#include "core/CaseFolding.h"

#include <algorithm>

void RememberRecent(TRecentList& list, const std::string& text) {
    const auto same = std::find_if(list.begin(), list.end(),
                                   [&](const std::string& entry) { return SameText(entry, text); });
    if (same != list.end())
        list.erase(same);
    list.insert(list.begin(), text);
}
