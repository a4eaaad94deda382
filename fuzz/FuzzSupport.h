#pragma once

#include "KeyItems.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A broken invariant is a finding: say which, and crash so that libFuzzer keeps the input.
[[noreturn]] inline void Broken(std::string_view what) {
    std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

inline void Require(bool condition, std::string_view what) {
    if (!condition)
        Broken(what);
}

inline std::vector<std::string> Texts(const TKeyItems& list) {
    std::vector<std::string> texts;
    for (const auto text : list.AllTexts())
        texts.emplace_back(text);
    return texts;
}

// A private folder for the files a target writes, removed when the fuzzer ends normally.
class TScratchFolder {
public:
    TScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pt-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            Broken("no scratch folder");
        path_ = pattern;
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string File(std::string_view name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
