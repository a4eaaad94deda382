#pragma once

#include "bench/core/BenchLists.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>

// Reading a keyword file of the text, written to a temporary file first.
inline void TimeReadingFile(benchmark::State& state, const std::string& text) {
    const auto path = (std::filesystem::temp_directory_path() / "pt-bench-import.txt").string();
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    for (auto _ : state) {
        TKeyItems list;
        ReadKeywordFile(path, list);
        benchmark::DoNotOptimize(list.Count());
    }
    std::remove(path.c_str());
}
