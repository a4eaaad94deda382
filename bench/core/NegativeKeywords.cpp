// The negative-keyword deletion on files, to set beside the standard tools:
//   negative_keywords write COUNT FILE             writes COUNT negative words and phrases, one a line
//   negative_keywords delete PHRASES NEGATIVES OUT RUNS
//                                                  deletes the phrases holding a negative RUNS times on
//                                                  freshly read lists, prints the median seconds of the
//                                                  deletion alone, and writes what stays to OUT
#include "bench/core/BenchTerms.h"
#include "core/Exceptions.h"
#include "core/ListComparison.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

int Write(std::size_t count, const char* path) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& term : NegativeTerms(count))
        out << term << '\n';
    return out ? 0 : 1;
}

int Delete(const char* phrases, const char* negativesPath, const char* output, int runs) {
    TKeyItems negatives;
    ReadKeywordFile(negativesPath, negatives);
    std::vector<double> seconds;
    TKeyItems list;
    for (int run = 0; run < runs; ++run) {
        list.Clear();
        ReadKeywordFile(phrases, list);
        const auto start = std::chrono::steady_clock::now();
        DeleteContainingWordsOf(list, negatives);
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.4f\n", seconds[seconds.size() / 2]);
    list.AllToTextFile(output);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "write" && argc == 4)
            return Write(std::strtoull(argv[2], nullptr, 10), argv[3]);
        if (command == "delete" && argc == 6 && std::atoi(argv[5]) > 0)
            return Delete(argv[2], argv[3], argv[4], std::atoi(argv[5]));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message.c_str());
        return 1;
    }
    std::fprintf(stderr, "usage: %s write COUNT FILE | delete PHRASES NEGATIVES OUT RUNS\n", argv[0]);
    return 2;
}
