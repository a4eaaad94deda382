#include "frame/Files.h"

#include "core/Exceptions.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

#include <dirent.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace {

TShellOpenHandler& ShellHandler() {
    static TShellOpenHandler handler;
    return handler;
}

[[noreturn]] void RaiseFolderError(const std::string& path) {
    throw Exception("Ошибка при создании папки \"" + path + "\"");
}

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// "*" matches any run of characters, "?" any one character.
bool WildcardMatch(const char* pattern, const char* name) {
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*pattern == '*') {
            starPattern = ++pattern;
            starName = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (starPattern) {
            pattern = starPattern;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool AnyMatch(const std::string& pattern, bool foldersCount) {
    const auto slash = pattern.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !WildcardMatch(namePattern.c_str(), name.c_str()))
            continue;
        if (foldersCount || !IsFolder(IncludeTrailingSlash(folder) + name))
            return true;
    }
    return false;
}

} // namespace

bool ShellOpen(const std::string& target) {
    if (ShellHandler())
        return ShellHandler()(target);
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}

void SetShellOpenHandler(TShellOpenHandler handler) {
    ShellHandler() = std::move(handler);
}

void ForceFolder(const std::string& path) {
    if (path.empty())
        RaiseFolderError(path);
    const std::string folder = ExcludeTrailingSlash(path);
    // The root folder always exists.
    if (folder.empty() || PathExists(folder, PathFolder))
        return;
    const std::string parent = folder.substr(0, folder.rfind('/') + 1);
    if (parent == folder)
        return;
    ForceFolder(parent);
    if (mkdir(folder.c_str(), 0777) != 0)
        RaiseFolderError(folder);
}

bool PathExists(const std::string& path, int kind) {
    if (path.empty() || kind < PathFile || kind > PathFileOrFolder)
        return false;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (kind != PathFolder && HasWildcard(name))
        return AnyMatch(path, kind == PathFileOrFolder);
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return false;
    return kind == PathFileOrFolder || (kind == PathFolder) == S_ISDIR(info.st_mode);
}

std::string ExcludeTrailingSlash(const std::string& path) {
    return !path.empty() && path.back() == '/' ? path.substr(0, path.size() - 1) : path;
}

std::string IncludeTrailingSlash(const std::string& path) {
    return path.empty() || path.back() == '/' ? path : path + '/';
}

std::string ProgramFilePath() {
    // Read from the system rather than the application object: the first settings load, which sets the
    // error log's path, runs before that object exists.
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ProgramFileWithExt(const std::string& extension) {
    const std::string program = ProgramFilePath();
    if (program.empty())
        return program;
    const auto nameStart = program.rfind('/') + 1;
    const auto dot = program.rfind('.');
    const auto stemEnd = dot != std::string::npos && dot >= nameStart ? dot : program.size();
    return program.substr(0, stemEnd) + extension;
}

std::string AppDataFolder() {
    return IncludeTrailingSlash(
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString());
}

std::string SharedDataFolder(const std::string& subFolder, bool create) {
    const std::string folder = AppDataFolder() + "VANT/" + IncludeTrailingSlash(subFolder);
    if (create)
        ForceFolder(folder);
    return folder;
}

std::string ComputerName() {
    return QSysInfo::machineHostName().toStdString();
}
