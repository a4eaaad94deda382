#pragma once

#include <string>
#include <vector>

// Recently entered texts in the code page, most recent first. The settings store keeps the first
// RecentListStoredMax of them.
using TRecentList = std::vector<std::string>;
inline constexpr int RecentListStoredMax = 10;

// Puts text first, removing the first entry that equals it ignoring case by the active code page's rules:
// the list never holds two entries that differ only in case, and the entry takes the newest form.
void RememberRecent(TRecentList& list, const std::string& text);
