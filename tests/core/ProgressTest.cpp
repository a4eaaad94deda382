#include "core/Progress.h"
#include "core/Clipboard.h"
#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/KeywordFile.h"
#include "core/ListComparison.h"
#include "core/Misspellings.h"
#include "core/Recombination.h"
#include "core/TwoThreads.h"
#include "core/WordFrequency.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

namespace {

// Enough entries for the operations to split their work over two threads.
constexpr int LongList = 3 * ParallelFrom;

std::string Phrase(std::mt19937& random) {
    static const char* const words[] = {"red", "Shoes", "cheap", "boots", "hat", "blue", "socks", "été"};
    std::string phrase = words[random() % 8];
    for (unsigned n = random() % 3; n > 0; --n)
        phrase.append(" ").append(words[random() % 8]);
    return phrase + " " + std::to_string(random() % 50000);
}

void FillLong(TKeyItems& list) {
    std::mt19937 random(7);
    for (int i = 0; i < LongList; ++i)
        list.AddKeyword(Phrase(random));
}

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The long operations, each on its own list; they leave what they made in the list (export: in the file).
struct TOperation {
    const char* Name;
    std::function<void(TKeyItems&, const TempFolder&)> Run;
};

std::vector<TOperation> Operations() {
    return {
        {"import",
         [](TKeyItems& list, const TempFolder& folder) {
             {
                 // Writing the file is no part of the import.
                 const TProgressScope none(nullptr);
                 TKeyItems source;
                 FillLong(source);
                 source.AllToTextFile((folder / "source.txt").string(), {TEncoding::Utf8});
             }
             ReadKeywordFile((folder / "source.txt").string(), list);
         }},
        {"duplicates", [](TKeyItems& list, const TempFolder&) { list.RemoveDuplicates(); }},
        {"sort", [](TKeyItems& list, const TempFolder&) { list.SortBy(3); }},
        {"misspellings",
         [](TKeyItems& list, const TempFolder&) {
             std::vector<std::string> phrases;
             for (int i = 0; i < 20000; ++i)
                 phrases.emplace_back(list.GetKeyItem(i).Text());
             AddMisspellings(phrases, DoubledChars | MissingChars, list, std::size_t{1} << 32);
         }},
        {"word orders",
         [](TKeyItems& list, const TempFolder&) {
             std::vector<std::string> phrases;
             for (int i = 0; i < 20000; ++i)
                 phrases.emplace_back(list.GetKeyItem(i).Text());
             RecombineWords(phrases, 4, list, std::size_t{1} << 32);
         }},
        {"same words", [](TKeyItems& list, const TempFolder&) { DeleteSameWordsInOtherOrder(list); }},
        {"word frequency",
         [](TKeyItems& list, const TempFolder&) {
             const std::vector<TWordCount> counts = CountWordFrequencies(list, 2);
             list.Clear();
             for (const TWordCount& count : counts)
                 list.AddKeyword(count.Text + " " + std::to_string(count.Entries));
         }},
        {"clipboard",
         [](TKeyItems& list, const TempFolder& folder) {
             // What reaches the clipboard goes to the file, so that it counts in the outcome.
             struct TFileClipboard : IClipboard {
                 std::filesystem::path Path;
                 bool SetText(std::string_view text) override {
                     std::ofstream(Path, std::ios::binary) << text;
                     return true;
                 }
             } clipboard;
             clipboard.Path = folder / "out.txt";
             list.AllToLines(clipboard);
         }},
        {"export",
         [](TKeyItems& list, const TempFolder& folder) {
             list.AllToTextFile((folder / "out.txt").string(), {TEncoding::Utf8});
         }},
    };
}

// What an operation left: the list's entries and the exported file.
std::pair<std::vector<std::string>, std::string>
Outcome(const TOperation& operation, std::function<void(double)> report, bool& cancelled) {
    TKeyItems list;
    FillLong(list);
    TempFolder folder;
    TProgress progress(std::move(report));
    {
        const TProgressScope scope(&progress);
        try {
            operation.Run(list, folder);
        } catch (const ECancelled&) {
            cancelled = true;
        }
    }
    return {Texts(list), FileText(folder / "out.txt")};
}

} // namespace

// Every long operation tells its progress on the thread that runs it, never going back within one pass,
// and ends with the result it has without a progress; once cancelled, it stops with ECancelled.
TEST(ProgressTest, OperationsReportOnTheirThreadAndStopWhenCancelled) {
    for (const TOperation& operation : Operations()) {
        SCOPED_TRACE(operation.Name);
        bool cancelled = false;
        const auto plain = Outcome(operation, {}, cancelled);
        std::vector<double> fractions;
        const std::thread::id owner = std::this_thread::get_id();
        bool foreign = false;
        const auto reported = Outcome(
            operation,
            [&](double fraction) {
                fractions.push_back(fraction);
                foreign |= std::this_thread::get_id() != owner;
            },
            cancelled);
        EXPECT_FALSE(cancelled);
        EXPECT_EQ(reported, plain);
        EXPECT_FALSE(foreign);
        ASSERT_GE(fractions.size(), 3u);
        for (double f : fractions)
            EXPECT_TRUE(f >= 0 && f <= 1) << f;

        for (std::size_t at : {std::size_t{1}, fractions.size() / 2, fractions.size()}) {
            SCOPED_TRACE(at);
            TProgress* running = nullptr;
            std::size_t heard = 0;
            bool stopped = false;
            TKeyItems list;
            FillLong(list);
            TempFolder folder;
            TProgress progress([&](double) {
                if (++heard == at)
                    running->Cancel();
            });
            running = &progress;
            {
                const TProgressScope scope(&progress);
                try {
                    operation.Run(list, folder);
                } catch (const ECancelled&) {
                    stopped = true;
                }
            }
            EXPECT_TRUE(stopped);
            EXPECT_EQ(heard, at);
            EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
        }
    }
}

// A failure inside a reported operation reaches the caller as it is, from either thread of the work.
TEST(ProgressTest, FailuresPassThroughTheProgress) {
    for (unsigned failing = 0; failing < 2; ++failing) {
        TProgress progress([](double) {});
        const TProgressScope scope(&progress);
        EXPECT_THROW(RunParts(2,
                              [&](unsigned part, unsigned) {
                                  ProgressAdvance(1);
                                  if (part == failing)
                                      throw EListError("part failed");
                              }),
                     EListError);
    }
}
