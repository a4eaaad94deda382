// The commands of one list against another on files, to set beside the standard tools:
//   negative_keywords write COUNT FILE       writes COUNT negative words and phrases, one a line
//   negative_keywords COMMAND LIST OTHER OUT RUNS
//                                            runs COMMAND on the list against the other RUNS times on freshly
//                                            read lists, prints the median seconds of the command alone, on
//                                            the clock and of processor time (both threads), and writes to
//                                            OUT what stays (of a highlight: what it highlighted)
// COMMAND is delete-found, highlight-found, keep-found, add-missing or delete-containing.
#include "bench/core/BenchTerms.h"
#include "core/Exceptions.h"
#include "core/ListComparison.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <time.h>

namespace {

using TCommand = std::function<void(TKeyItems&, const TKeyItems&)>;

const std::map<std::string, TCommand>& Commands() {
    static const std::map<std::string, TCommand> commands{
        {"delete-found", [](TKeyItems& list, const TKeyItems& other) { DeleteFoundIn(list, other); }},
        {"highlight-found", [](TKeyItems& list, const TKeyItems& other) { HighlightFoundIn(list, other); }},
        {"keep-found", [](TKeyItems& list, const TKeyItems& other) { KeepOnlyFoundIn(list, other); }},
        {"add-missing", [](TKeyItems& list, const TKeyItems& other) { AddMissingFrom(list, other); }},
        {"delete-containing",
         [](TKeyItems& list, const TKeyItems& other) { DeleteContainingWordsOf(list, other); }},
    };
    return commands;
}

double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int Write(std::size_t count, const char* path) {
    std::ofstream out(path, std::ios::binary);
    for (const auto& term : NegativeTerms(count))
        out << term << '\n';
    return out ? 0 : 1;
}

int Run(const std::string& name, const TCommand& command, const char* listPath, const char* otherPath,
        const char* output, int runs) {
    TKeyItems other;
    ReadKeywordFile(otherPath, other);
    std::vector<double> seconds;
    std::vector<double> processor;
    TKeyItems list;
    for (int run = 0; run < runs; ++run) {
        list.Clear();
        ReadKeywordFile(listPath, list);
        list.Highlighted.Clear();
        const auto start = std::chrono::steady_clock::now();
        const double startProcessor = ProcessorSeconds();
        command(list, other);
        processor.push_back(ProcessorSeconds() - startProcessor);
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(processor.begin(), processor.end());
    std::printf("%.4f %.4f\n", seconds[seconds.size() / 2], processor[processor.size() / 2]);
    if (name == "highlight-found")
        list.HighlightedToTextFile(output);
    else
        list.AllToTextFile(output);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    try {
        if (command == "write" && argc == 4)
            return Write(std::strtoull(argv[2], nullptr, 10), argv[3]);
        const auto found = Commands().find(command);
        if (found != Commands().end() && argc == 6 && std::atoi(argv[5]) > 0)
            return Run(command, found->second, argv[2], argv[3], argv[4], std::atoi(argv[5]));
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.Message.c_str());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: %s write COUNT FILE | delete-found|highlight-found|keep-found|add-missing|"
                 "delete-containing LIST OTHER OUT RUNS\n",
                 argv[0]);
    return 2;
}
