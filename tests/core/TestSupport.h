#pragma once

#include "core/KeyItems.h"

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

// A list made of the given texts, in order.
inline void Fill(TKeyItems& list, std::initializer_list<std::string_view> texts) {
    for (auto t : texts)
        list.AddKeyword(t);
}

inline std::vector<std::string> Texts(const TKeyItems& list) {
    std::vector<std::string> texts;
    for (auto t : list.AllTexts())
        texts.emplace_back(t);
    return texts;
}

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pt-test-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};
