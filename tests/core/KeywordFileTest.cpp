#include "core/KeywordFile.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "core/Progress.h"
#include "tests/core/TestSupport.h"

#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>

namespace {

using Strings = std::vector<std::string>;

Strings Parse(std::string_view bytes) {
    TKeyItems list;
    TKeywordTextParser parser(list);
    parser.Feed(bytes);
    parser.Finish();
    return Texts(list);
}

// Feeding byte by byte must give what one call gives: chunk borders fall anywhere in a file.
Strings ParseBytewise(std::string_view bytes) {
    TKeyItems list;
    TKeywordTextParser parser(list);
    for (char c : bytes)
        parser.Feed(std::string_view(&c, 1));
    parser.Finish();
    return Texts(list);
}

TEST(KeywordText, LineEndsCarriageReturnsAndEndOfInput) {
    const std::vector<std::pair<std::string, Strings>> cases = {
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\nb\r\n", {"a", "b"}},
        {"a\rb", {"ab"}},
        {"a\n\x1a"
         "b",
         {"a"}},
        {"a\x1a\nb", {"a"}},
        {"", {}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"  a \t\n", {"  a \t"}},
        {"x\r\ny\r\n", {"x", "y"}},
        {"a\r\r\nb", {"a", "b"}},
        {std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        {"\xEF\xBB\xBFword\n", {"\xEF\xBB\xBFword"}},
    };
    for (const auto& [bytes, expected] : cases) {
        EXPECT_EQ(Parse(bytes), expected) << testing::PrintToString(bytes);
        EXPECT_EQ(ParseBytewise(bytes), expected) << testing::PrintToString(bytes);
    }
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

TEST(KeywordFile, ReadAppendsAfterExistingEntries) {
    TempFolder folder;
    WriteFile(folder / "in.txt", "x\r\ny\r\n");
    TKeyItems list;
    list.AddKeyword("first");
    ReadKeywordFile((folder / "in.txt").string(), list);
    EXPECT_EQ(Texts(list), (Strings{"first", "x", "y"}));
}

TEST(KeywordFile, ReadsLinesLongerThanTheReadBuffer) {
    TempFolder folder;
    const std::string longLine(3'500'000, 'k');
    WriteFile(folder / "in.txt", longLine + "\r\nshort");
    TKeyItems list;
    ReadKeywordFile((folder / "in.txt").string(), list);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetKeyItem(0).Text(), longLine);
    EXPECT_EQ(list.GetKeyItem(1).Text(), "short");
}

// Files of some megabytes are read in two halves on two threads, the second from the line after the
// middle: whatever the file holds, the list must get what one parse of all its bytes gives.
TEST(KeywordFile, LongFilesReadInHalvesGiveWhatOneParseGives) {
    TempFolder folder;
    std::mt19937 rng(7);
    std::string body;
    while (body.size() < 6'000'000) {
        body.append("phrase ").append(std::to_string(rng()));
        body += "\r\n\r\n\n\r"[rng() % 5];
        if (rng() % 3 == 0)
            body += '\n';
    }
    // Windows line ends only, in UTF-8 text, with a CR LF and a character across the border of two reads.
    std::string windows =
        std::string((1 << 20) - 1, 'p') + "\r\nq" + std::string((1 << 20) - 3, 'p') + "\xD0\xAF\r\n";
    while (windows.size() < 6'000'000)
        windows.append("\xC3\xA9t\xC3\xA9 ")
            .append(std::to_string(rng()))
            .append(rng() % 4 ? "\r\n" : "\r\n\r\n");
    const std::string endOfInput(1, '\x1a');
    const std::string cases[] = {
        windows,
        windows + "\r",
        body,
        body + "last line without an end",
        body.substr(0, 1'000'000) + endOfInput + body.substr(1'000'000),
        body.substr(0, 4'500'000) + endOfInput + body.substr(4'500'000),
        body.substr(0, 5'000'000) + std::string(3'000'000, 'x'),
    };
    for (const std::string& bytes : cases) {
        WriteFile(folder / "in.txt", bytes);
        TKeyItems list;
        list.AddKeyword("first");
        ReadKeywordFile((folder / "in.txt").string(), list);
        Strings expected = Parse(bytes);
        expected.insert(expected.begin(), "first");
        EXPECT_EQ(Texts(list), expected) << bytes.size();
        EXPECT_EQ(list.TextBytes(), [&] {
            std::size_t total = 0;
            for (const auto& t : expected)
                total += t.size();
            return total;
        }());
    }
}

// Cancelled while its entries are being made, on either thread, an import leaves the list as it was; one
// cancelled too late to stop it leaves the whole file in.
TEST(KeywordFile, ImportCancelledMidwayLeavesTheList) {
    TempFolder folder;
    std::string text;
    Strings whole{"first"};
    for (int i = 0; text.size() < 6'000'000; ++i) {
        whole.push_back("phrase " + std::to_string(i));
        text.append(whole.back()).append("\r\n");
    }
    WriteFile(folder / "in.txt", text);
    int cancelled = 0;
    for (const double at : {0.55, 0.7, 0.8}) {
        TKeyItems list;
        list.AddKeyword("first");
        TProgress* running = nullptr;
        TProgress progress([&](double fraction) {
            if (fraction > at)
                running->Cancel();
        });
        running = &progress;
        const TProgressScope scope(&progress);
        try {
            ReadKeywordFile((folder / "in.txt").string(), list);
            EXPECT_EQ(Texts(list), whole) << at;
        } catch (const ECancelled&) {
            ++cancelled;
            EXPECT_EQ(Texts(list), (Strings{"first"})) << at;
            EXPECT_EQ(list.TextBytes(), 5u) << at;
        }
    }
    EXPECT_GT(cancelled, 0);
}

TEST(KeywordFile, UnreadableInputRaisesInOutError) {
    TempFolder folder;
    TKeyItems list;
    EXPECT_THROW(ReadKeywordFile((folder / "missing.txt").string(), list), EInOutError);
    EXPECT_THROW(ReadKeywordFile(folder.Path().string(), list), EInOutError);
    EXPECT_EQ(list.Count(), 0);
}

TEST(KeywordFile, WriterReplacesTheFileOnlyWhenComplete) {
    TempFolder folder;
    const auto path = folder / "out.txt";
    WriteFile(path, "old content\r\n");
    chmod(path.c_str(), 0640);
    {
        TKeywordFileWriter writer(path.string());
        writer.WriteLine("new");
        // Abandoned without Commit: the old file stays and no temporary file is left behind.
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
    std::ifstream before(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), "old content\r\n");
    TKeywordFileWriter writer(path.string());
    writer.WriteLine("new");
    writer.Commit();
    std::ifstream after(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), "new\r\n");
    struct stat info {};
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(KeywordFile, ExportThenImportRoundTrips) {
    TempFolder folder;
    TKeyItems list;
    // Every ASCII character that is no line rule, then characters of two, three and four bytes.
    std::string all;
    for (int b = 0; b < 128; ++b)
        if (b != '\n' && b != '\r' && b != 26)
            all += static_cast<char>(b);
    all += "àÿжשal€ꙮ😀";
    // Lines that fill the writer's buffer to the byte, overflow it, or are longer than it.
    const std::size_t buffer = 1 << 20;
    Fill(list, {"x", "", " y ", all, std::string(buffer - 2 - 1 - 2 - 3 - 2 - all.size() - 2, 'a'), "z",
                std::string(buffer + 5, 'b'), std::string(buffer - 2, 'c'), "end"});
    list.AllToTextFile((folder / "out.txt").string());
    TKeyItems back;
    ReadKeywordFile((folder / "out.txt").string(), back);
    EXPECT_EQ(Texts(back), Texts(list));

    // A file of many megabytes, handed to the disk in steps, replaces the one before.
    TKeyItems many;
    for (int i = 0; i < 40000; ++i)
        many.AddKeyword(std::to_string(i) + std::string(static_cast<std::size_t>(i % 600), 'k'));
    many.AllToTextFile((folder / "out.txt").string());
    TKeyItems manyBack;
    ReadKeywordFile((folder / "out.txt").string(), manyBack);
    EXPECT_EQ(Texts(manyBack), Texts(many));
}

} // namespace
