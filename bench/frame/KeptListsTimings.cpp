// Times the kept lists on one list of generated phrases: the first save, the comparison that finds an
// unchanged list (the time the saver holds the lists after a command that changed nothing), a save after
// a change, and the restore at start. The files go to a temporary folder that is removed afterwards.
//   kept_lists_timings [ENTRIES]   (default 10,000,000)
#include "bench/core/PhraseGenerator.h"
#include "core/KeyItems.h"
#include "core/ListFile.h"
#include "frame/ListStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

namespace {

double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Wall time; the processor time of all threads goes to cpu, as the machine may be busy with other work.
template <class TWork> double Milliseconds(TWork work, double* cpu = nullptr) {
    const double cpuStart = CpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    if (cpu)
        *cpu = CpuMilliseconds() - cpuStart;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const std::size_t entries = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 10'000'000;
    std::string pattern = (std::filesystem::temp_directory_path() / "pt-kept-XXXXXX").string();
    const std::string folder = std::string(mkdtemp(pattern.data())) + "/Lists";
    TKeyItems list;
    list.Name = "List-A";
    {
        const auto phrases = GeneratePhrases(entries);
        for (const auto& phrase : phrases)
            list.AddKeyword(phrase);
    }
    TKeyItems empty[5];
    TListStore store(folder);
    const auto save = [&] {
        store.Stage(0, list);
        for (int i = 1; i < 6; ++i)
            store.Stage(i, empty[i - 1]);
        store.Commit(6, {0, {}});
    };
    std::printf("entries: %zu, text bytes: %zu\n", entries, list.TextBytes());
    std::printf("first save (write, flush, rename): %.0f ms\n", Milliseconds(save));
    std::uintmax_t fileBytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        fileBytes += entry.is_regular_file() ? entry.file_size() : 0;
    std::printf("files: %.1f MB\n", static_cast<double>(fileBytes) / 1e6);
    std::printf("unchanged list found unchanged (checksum pass): %.0f ms\n",
                Milliseconds([&] { store.Stage(0, list); }));
    list.GetKeyItem(static_cast<int>(entries / 2)).SetText("changed in place");
    std::printf("save after one entry changed: %.0f ms\n", Milliseconds(save));
    TListStore restorer(folder);
    std::optional<TKeptState> state;
    double cpu = 0;
    const double wall = Milliseconds([&] { state = restorer.Load(); }, &cpu);
    std::printf("restore at start: %.0f ms (processor time of both threads: %.0f ms)\n", wall, cpu);
    const bool same = state && state->Lists[0]->Count() == list.Count() &&
                      state->Lists[0]->GetKeyItem(static_cast<int>(entries / 2)).Text() == "changed in place";
    std::filesystem::remove_all(std::filesystem::path(folder).parent_path());
    return same ? 0 : 1;
}
