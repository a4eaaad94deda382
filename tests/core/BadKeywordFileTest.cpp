// Keyword files that are not what they should be: devices, pipes, reads that fail, files too large.
#include "core/KeywordFile.h"

#include "core/Exceptions.h"
#include "core/KeyItems.h"
#include "tests/core/TestSupport.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Strings = std::vector<std::string>;

std::string ReadError(const std::string& path, TKeyItems& list, std::size_t budget = DefaultMemoryBudget) {
    try {
        ReadKeywordFile(path, list, budget);
    } catch (const Exception& e) {
        return e.Message;
    }
    return "no error";
}

std::string ExportError(const TKeyItems& list, const std::string& path) {
    try {
        list.AllToTextFile(path);
    } catch (const EInOutError& e) {
        return e.Message;
    }
    return "no error";
}

TEST(BadKeywordFile, DevicesAndPipesAreRefusedWithoutWaiting) {
    TempFolder folder;
    const std::string pipe = (folder / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    TKeyItems list;
    Fill(list, {"kept"});
    for (const std::string& path : {std::string("/dev/zero"), pipe})
        EXPECT_EQ(ReadError(path, list),
                  "Cannot read file \"" + path + "\": it is a device or a pipe, not a file");
    EXPECT_EQ(ReadError(folder.Path().string(), list),
              "Cannot open file \"" + folder.Path().string() + "\": Is a directory");
    EXPECT_EQ(Texts(list), Strings{"kept"});
}

TEST(BadKeywordFile, AReadThatFailsIsReported) {
    // The kernel refuses to read the first page of a process's own memory: a read error after a good open.
    TKeyItems list;
    EXPECT_EQ(ReadError("/proc/self/mem", list), "Cannot read file \"/proc/self/mem\": Input/output error");
    EXPECT_EQ(list.Count(), 0);
}

TEST(BadKeywordFile, AFileBeyondTheMemoryBudgetAddsNothing) {
    TempFolder folder;
    const std::string lines = (folder / "lines.txt").string();
    std::ofstream(lines, std::ios::binary) << std::string(1000, '\n');
    TKeyItems list;
    Fill(list, {"kept"});
    EXPECT_EQ(
        ReadError(lines, list, 2000),
        "This command would create 1,000 new entries needing about 1 MB of memory, but only 1 MB may be "
        "used. Nothing was changed.");

    // Two gigabytes without a byte on the disk: refused at once from its size, without being read.
    const std::string huge = (folder / "huge.txt").string();
    const int fd = open(huge.c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_EQ(ftruncate(fd, off_t{2} << 30), 0);
    close(fd);
    EXPECT_EQ(ReadError(huge, list, std::size_t{1} << 30),
              "This command would need about 2,048 MB of memory, but only 1,024 MB may be used. Nothing was "
              "changed.");
    EXPECT_EQ(Texts(list), Strings{"kept"});
}

TEST(BadKeywordFile, ExportToAPipeNeedsSomeoneReading) {
    TempFolder folder;
    const std::string pipe = (folder / "pipe").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    TKeyItems list;
    Fill(list, {"x", "y"});
    EXPECT_EQ(ExportError(list, pipe), "Cannot create file \"" + pipe + "\": No such device or address");

    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(ExportError(list, pipe), "no error");
    char received[16] = {};
    EXPECT_EQ(read(reader, received, sizeof received), 6);
    EXPECT_STREQ(received, "x\r\ny\r\n");
    close(reader);
}

TEST(BadKeywordFile, ExportToAFullDeviceOrAFolderFails) {
    TempFolder folder;
    TKeyItems list;
    Fill(list, {"x"});
    EXPECT_EQ(ExportError(list, "/dev/full"), "Cannot write file \"/dev/full\": No space left on device");
    EXPECT_EQ(ExportError(list, folder.Path().string()),
              "Cannot create file \"" + folder.Path().string() + "\": Is a directory");
}

} // namespace
