// Settings stores damaged in every way a file can be: the program starts with the defaults, keeps the
// damaged file aside, and its next save writes a store that reads back.
#include "core/BusinessLogicLayer.h"
#include "frame/Files.h"
#include "frame/ManagementLayer.h"
#include "frame/RegFile.h"
#include "tests/frame/FrameTestSupport.h"
#include "tests/support/OtherUser.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::string_literals;

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kMainSection = "[HKEY_CURRENT_USER\\Software\\Pellox\\Termwright\\1.1.0]\r\n";

class DamagedStoreTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        lists_.NewList().Name = "List-A";
    }
    void TearDown() override {
        std::filesystem::remove(ProgramFileWithExt(".log"));
        FrameTest::TearDown();
    }

    // A start and an end of the program on the store as it is; true when the start saw the defaults.
    bool StartsWithDefaultsAndSaves() {
        TManagementLayer layer(lists_, log_);
        const TListSettings defaults;
        return layer.WordCountLimit == 5 && layer.ImportPath.empty() && layer.AddWordList.empty() &&
               lists_.GetList(0).Settings.Font == defaults.Font;
    }

    void ExpectASoundStore() {
        TRegKey saved;
        EXPECT_NO_THROW(saved = ParseRegFile(ReadFile(StorePath())));
        EXPECT_TRUE(saved.SubKeys.contains("Software"));
    }
};

TEST_F(DamagedStoreTest, EveryKindOfDamageGivesTheDefaults) {
    const std::string good = kHeader + kMainSection + "\"WordCountLimit\"=dword:00000009\r\n";
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char>(b);
    std::string deepKey = kHeader + "[HKEY_CURRENT_USER";
    for (int level = 0; level < 100'000; ++level)
        deepKey += "\\k";
    deepKey += "]\r\n";
    const std::vector<std::pair<std::string, std::string>> damages = {
        {"no byte at all", ""},
        {"every byte value", everyByte},
        {"NUL bytes in a value", kHeader + kMainSection + "\"ImportPath\"=\"a\0b\"\r\n"s},
        {"Latin-1 instead of UTF-8", kHeader + kMainSection + "\"ImportPath\"=\"caf\xE9\"\r\n"},
        {"another header", "REGEDIT4\r\n\r\n" + kMainSection},
        {"cut in the middle of a text", good + "\"ImportPath\"=\"/home/us"},
        {"cut in a continued value", good + "\"Blob\"=hex:00,01,\\\r\n"},
        {"a key outside the user's root", kHeader + "[HKEY_LOCAL_MACHINE\\Software]\r\n"},
        {"a key nested 100,000 deep", deepKey},
        {"a file of 17 MB", good + std::string(17 << 20, ';')},
    };
    for (const auto& [damage, text] : damages) {
        SCOPED_TRACE(damage);
        WriteFile(StorePath(), text);
        EXPECT_TRUE(StartsWithDefaultsAndSaves());
        EXPECT_EQ(ReadFile(StorePath() + ".corrupt"), text) << "the damaged file is kept aside as it was";
        ExpectASoundStore();
        std::filesystem::remove(StorePath() + ".corrupt");
    }
}

TEST_F(DamagedStoreTest, APipeOrAFolderAtTheStorePathNeverHoldsUpTheStart) {
    std::filesystem::create_directories(temp_ / "config/Pellox");
    ASSERT_EQ(mkfifo(StorePath().c_str(), 0600), 0);
    EXPECT_TRUE(StartsWithDefaultsAndSaves());
    ExpectASoundStore();

    std::filesystem::remove(StorePath());
    std::filesystem::remove(StorePath() + ".corrupt");
    std::filesystem::create_directories(StorePath());
    EXPECT_TRUE(StartsWithDefaultsAndSaves());
    EXPECT_TRUE(std::filesystem::is_directory(StorePath() + ".corrupt"));
    ExpectASoundStore();
}

TEST_F(DamagedStoreTest, AStoreTheUserMayNotReadIsKeptAsideAndReplaced) {
    const std::string text = kHeader + kMainSection + "\"WordCountLimit\"=dword:00000009\r\n";
    WriteFile(StorePath(), text);
    chmod(StorePath().c_str(), 0);
    for (const std::string& folder : {temp_ / "", temp_ / "config", temp_ / "config/Pellox"})
        chmod(folder.c_str(), 0777);
    {
        const TFileAccessAsOtherUser user;
        if (!user.Active())
            GTEST_SKIP() << "file access can't be checked as another user here";
        EXPECT_TRUE(StartsWithDefaultsAndSaves());
    }
    EXPECT_EQ(ReadFile(StorePath() + ".corrupt"), text);
    ExpectASoundStore();
}

TEST_F(DamagedStoreTest, AKeyWithVeryManyValuesStillLoads) {
    // Found by a settings file of a few megabytes that took hours to load: each value looked up every
    // earlier one.
    std::string text = kHeader + kMainSection;
    for (int i = 0; i < 200'000; ++i)
        text += "\"Junk" + std::to_string(i) + "\"=dword:00000001\r\n";
    text += "\"WordCountLimit\"=dword:00000003\r\n\"junk7\"=\"replaced\"\r\n\"WordCountLimit\"=dword:"
            "00000007\r\n";
    WriteFile(StorePath(), text);
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.WordCountLimit, 7);
    }
    const TRegKey saved = LoadRegFile(StorePath());
    const TRegKey& main =
        saved.SubKeys.at("Software").SubKeys.at("Pellox").SubKeys.at("Termwright").SubKeys.at("1.1.0");
    EXPECT_EQ(main.Values.size(), 200'003u) << "junk values are kept, a repeated name counts once";
    EXPECT_EQ(main.FindValue("Junk7")->Data, "replaced");
}

TEST_F(DamagedStoreTest, ATextThatStartsWithAByteOrderMarkKeepsIt) {
    // Found by the settings fuzzer: the mark was dropped on writing, so every save changed the font name.
    const std::string name = "\xEF\xBB\xBF"
                             "Arial";
    WriteFile(StorePath(), kHeader +
                               "[HKEY_CURRENT_USER\\Software\\Pellox\\Termwright\\1.1.0\\List-A]\r\n"
                               "\"FontName\"=\"" +
                               name + "\"\r\n");
    for (int start = 0; start < 2; ++start) {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(lists_.GetList(0).Settings.Font.Name, name);
    }
}

} // namespace
