// The word-frequency dialog opened on a list until its table is painted, as the user waits for it: the
// counting, the table's model and the first paint; and the switch to two- and three-word phrases.
#include "bench/core/BenchLists.h"
#include "dialogs/WordFrequencyDialog.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>

#include <chrono>

namespace {

// Generated phrases; with distinctWords each ends in a word of its own, so that there are a million words and
// more.
const TKeyItems& Phrases(std::size_t count, bool distinctWords) {
    static std::map<std::pair<std::size_t, bool>, std::unique_ptr<TKeyItems>> lists;
    auto& list = lists[{count, distinctWords}];
    if (!list) {
        list = std::make_unique<TKeyItems>();
        LoadPhrases(*list, count);
        if (distinctWords) {
            TKeyItems phrases;
            LoadPhrases(phrases, count);
            list->Clear();
            for (int i = 0; i < phrases.Count(); ++i) {
                std::string text(phrases.GetKeyItem(i).Text());
                text += ' ';
                for (unsigned n = static_cast<unsigned>(i) + 1; n > 0; n /= 26)
                    text += static_cast<char>('a' + n % 26);
                list->AddKeyword(text);
            }
        }
    }
    return *list;
}

// Times the dialog from its start until its table is painted with the runs of words, then closes it.
void TimeOpening(benchmark::State& state, bool distinctWords, int words) {
    const TKeyItems& list = Phrases(static_cast<std::size_t>(state.range(0)), distinctWords);
    TfrmWordFrequency dialog;
    std::size_t shown = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        QTimer::singleShot(0, &dialog, [&] {
            if (words == 2)
                dialog.rbTwoWords->setChecked(true);
            if (words == 3)
                dialog.rbThreeWords->setChecked(true);
            dialog.tvWords->viewport()->repaint();
            state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
            shown = static_cast<std::size_t>(dialog.tvWords->model()->rowCount());
            dialog.reject();
        });
        std::vector<std::string> picked;
        bool sendToList = false;
        dialog.Execute([&list](int n) { return std::optional(CountWordFrequencies(list, n, n)); }, picked,
                       sendToList);
    }
    state.counters["distinct"] = static_cast<double>(shown);
}

void BM_WordFrequencyOpen(benchmark::State& state) {
    TimeOpening(state, false, 1);
}
void BM_WordFrequencyOpenDistinctWords(benchmark::State& state) {
    TimeOpening(state, true, 1);
}
// Opening with words, then the switch to phrases.
void BM_WordFrequencyTwoWords(benchmark::State& state) {
    TimeOpening(state, false, 2);
}
void BM_WordFrequencyThreeWords(benchmark::State& state) {
    TimeOpening(state, false, 3);
}

BENCHMARK(BM_WordFrequencyOpen)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();
BENCHMARK(BM_WordFrequencyOpenDistinctWords)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WordFrequencyTwoWords)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WordFrequencyThreeWords)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
