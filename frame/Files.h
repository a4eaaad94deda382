#pragma once

#include <functional>
#include <string>

// Opens a document path or web address with the desktop's default handler. Callers ignore the outcome.
bool ShellOpen(const std::string& target);
// Replaces the desktop's handler, so that tests can see what would be opened; an empty function restores it.
using TShellOpenHandler = std::function<bool(const std::string& target)>;
void SetShellOpenHandler(TShellOpenHandler handler);

// Creates the folder and every missing parent, outermost first; raises Exception naming the path on failure.
void ForceFolder(const std::string& path);

enum TPathKind : int { PathFile = 1, PathFolder = 2, PathFileOrFolder = 3 };
// The last part of the path may hold the wildcards "*" and "?": a file test is then true when any match is.
bool PathExists(const std::string& path, int kind);

std::string ExcludeTrailingSlash(const std::string& path);
std::string IncludeTrailingSlash(const std::string& path);

// The running program's own file; empty when the system can't tell.
std::string ProgramFilePath();
// The program's own path with its extension (from the last dot of the file name) replaced by extension.
std::string ProgramFileWithExt(const std::string& extension);
// The user's data folder (XDG_DATA_HOME, else ~/.local/share) with a trailing slash; not created.
std::string AppDataFolder();
// AppDataFolder + "VANT/" + subFolder + "/", created first when create is true.
std::string SharedDataFolder(const std::string& subFolder, bool create);
// The host name; empty when it can't be read.
std::string ComputerName();
