#pragma once

#include "frame/RegKey.h"

#include <string>
#include <string_view>
#include <vector>

class TErrorLog;

// The settings tree in the text form of a registry export ("Windows Registry Editor Version 5.00"), as UTF-8:
// one section per key under HKEY_CURRENT_USER, one line per value.
std::vector<std::string> FormatRegFile(const TRegKey& root);
// Raises Exception, naming the line, for any text that is not such a file.
TRegKey ParseRegFile(std::string_view text);

// A missing file gives an empty tree. A file that can't be read or parsed is renamed with the suffix
// ".corrupt", the reason is written to log (if any), and the tree is empty: a damaged store never stops the
// program.
TRegKey LoadRegFile(const std::string& path, const TErrorLog* log = nullptr);
// Writes beside the file and renames over it, so a crash leaves the old content or the new; raises
// EInOutError.
void SaveRegFile(const TRegKey& root, const std::string& path);
