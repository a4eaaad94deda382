#include "frame/Files.h"
#include "core/Exceptions.h"
#include "tests/frame/FrameTestSupport.h"

namespace {

using FilesTest = FrameTest;

std::string FolderError(const std::string& path) {
    return "Ошибка при создании папки \"" + path + "\"";
}

TEST(TrailingSlash, AddsAndRemovesOnlyOne) {
    EXPECT_EQ(IncludeTrailingSlash("/data"), "/data/");
    EXPECT_EQ(IncludeTrailingSlash("/data/"), "/data/");
    EXPECT_EQ(IncludeTrailingSlash(""), "");
    EXPECT_EQ(ExcludeTrailingSlash("/data//"), "/data/");
    EXPECT_EQ(ExcludeTrailingSlash(""), "");
}

TEST_F(FilesTest, ForceFolderCreatesMissingLevelsAndLeavesExistingOnes) {
    const std::string deep = temp_ / "a/b/c/";
    ForceFolder(deep);
    EXPECT_TRUE(PathExists(temp_ / "a/b/c", PathFolder));
    ForceFolder(deep);
    ForceFolder("/");
}

TEST_F(FilesTest, ForceFolderFailuresNameThePath) {
    try {
        ForceFolder("Docs");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, FolderError(""));
    }
    WriteFile(temp_ / "taken", "x");
    try {
        ForceFolder(temp_ / "taken/");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, FolderError(temp_ / "taken"));
    }
}

TEST_F(FilesTest, PathExistsTellsFilesFromFoldersAndHonoursWildcards) {
    WriteFile(temp_ / "list.txt", "x");
    ForceFolder(temp_ / "dir.txt");
    EXPECT_TRUE(PathExists(temp_ / "list.txt", PathFile));
    EXPECT_FALSE(PathExists(temp_ / "list.txt", PathFolder));
    EXPECT_FALSE(PathExists(temp_ / "dir.txt", PathFile));
    EXPECT_TRUE(PathExists(temp_ / "dir.txt", PathFolder));
    EXPECT_TRUE(PathExists(temp_ / "dir.txt", PathFileOrFolder));
    EXPECT_TRUE(PathExists(temp_ / "*.txt", PathFile));
    EXPECT_TRUE(PathExists(temp_ / "l?st.*", PathFile));
    EXPECT_FALSE(PathExists(temp_ / "d*", PathFile));
    EXPECT_TRUE(PathExists(temp_ / "d*", PathFileOrFolder));
    EXPECT_FALSE(PathExists(temp_ / "*.doc", PathFileOrFolder));
    EXPECT_FALSE(PathExists("", PathFileOrFolder));
    EXPECT_FALSE(PathExists(temp_ / "list.txt", 4));
}

TEST_F(FilesTest, ProgramAndDataFolders) {
    const std::string program = ProgramFilePath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(ProgramFileWithExt(".log"), program + ".log"); // the test program has no extension
    EXPECT_EQ(AppDataFolder(), temp_ / "data/");
    EXPECT_EQ(SharedDataFolder("Docs", true), temp_ / "data/VANT/Docs/");
    EXPECT_TRUE(PathExists(temp_ / "data/VANT/Docs", PathFolder));
    EXPECT_FALSE(ComputerName().empty());
}

TEST_F(FilesTest, ShellOpenGoesThroughTheReplaceableHandler) {
    std::string opened;
    SetShellOpenHandler([&](const std::string& target) {
        opened = target;
        return true;
    });
    EXPECT_TRUE(ShellOpen("https://example.org/x"));
    SetShellOpenHandler({});
    EXPECT_EQ(opened, "https://example.org/x");
}

} // namespace
