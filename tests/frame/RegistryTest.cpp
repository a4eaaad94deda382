#include "frame/Registry.h"
#include "tests/frame/FrameTestSupport.h"

namespace {

using RegistryTest = FrameTest;

TEST_F(RegistryTest, ChangesReachTheFileWhenTheObjectGoes) {
    {
        TRegistry registry;
        EXPECT_FALSE(registry.OpenKey("Software\\X", false));
    }
    EXPECT_FALSE(std::filesystem::exists(StorePath())) << "nothing changed, nothing written";
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey("Software\\X", true));
        registry.WriteInteger("N", -2);
    }
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\SOFTWARE\\x", false));
    EXPECT_EQ(registry.ReadInteger("n"), -2);
}

TEST_F(RegistryTest, TypedReadsFallBackToTheirDefaults) {
    // Expandable strings come only from stores written elsewhere.
    WriteFile(
        temp_ / "store.reg",
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\K]\n\"Home\"=hex(2):41,00,00,00\n");
    TRegistryEx registry(temp_ / "store.reg");
    registry.OpenKey("K", true);
    registry.WriteString("Digits", "7");
    registry.WriteInteger("Number", 9);
    EXPECT_EQ(registry.ReadIntegerDef("Digits", 5), 5);
    EXPECT_EQ(registry.ReadIntegerDef("Missing", 5), 5);
    EXPECT_EQ(registry.ReadIntegerDef("Number", 5), 9);
    EXPECT_EQ(registry.ReadStringDef("Home", "d"), "A");
    EXPECT_EQ(registry.ReadStringDef("Number", "d"), "d");
    EXPECT_EQ(registry.GetDataType("Home"), TRegDataType::ExpandString);
    EXPECT_THROW(registry.ReadInteger("Digits"), ERegistryException);
    EXPECT_THROW(registry.ReadString("Missing"), ERegistryException);
}

TEST_F(RegistryTest, WriteStringOrDeleteRemovesDefaultValues) {
    TRegistryEx registry(temp_ / "store.reg");
    registry.OpenKey("K", true);
    registry.WriteStringOrDelete("Path", "/x", "");
    EXPECT_TRUE(registry.ValueExists("Path"));
    registry.WriteStringOrDelete("Path", "", "");
    EXPECT_FALSE(registry.ValueExists("Path"));
    EXPECT_NO_THROW(registry.WriteStringOrDelete("Path", "", ""));
}

TEST_F(RegistryTest, DeleteKeyTakesEverythingBelow) {
    TRegistry registry(temp_ / "store.reg");
    registry.OpenKey("A\\B\\C", true);
    registry.WriteInteger("N", 1);
    registry.CloseKey();
    EXPECT_TRUE(registry.DeleteKey("A\\B"));
    EXPECT_FALSE(registry.OpenKey("A\\B\\C", false));
    EXPECT_TRUE(registry.OpenKey("A", false));
    registry.CloseKey();
    EXPECT_FALSE(registry.DeleteKey("A\\B"));
}

TEST_F(RegistryTest, NamesThatWouldBreakALineAreRefusedAndTextIsKeptUtf8) {
    TRegistry registry(temp_ / "store.reg");
    registry.OpenKey("K", true);
    EXPECT_THROW(registry.WriteInteger("two\nlines", 1), ERegistryException);
    EXPECT_THROW(registry.OpenKey("bad\rname", true), ERegistryException);
    registry.WriteString("Bytes", "\xC0\xFF ok");
    EXPECT_EQ(registry.ReadString("Bytes"), "\xEF\xBF\xBD\xEF\xBF\xBD ok");
}

TEST_F(RegistryTest, FlushReportsAFailedSave) {
    WriteFile(temp_ / "file", "x");
    TRegistry registry(temp_ / "file/store.reg");
    registry.OpenKey("K", true);
    EXPECT_THROW(registry.Flush(), EInOutError);
}

} // namespace
