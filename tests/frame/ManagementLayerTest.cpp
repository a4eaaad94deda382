#include "frame/ManagementLayer.h"
#include "core/BusinessLogicLayer.h"
#include "frame/Files.h"
#include "frame/RegFile.h"
#include "frame/Registry.h"
#include "frame/WindowBounds.h"
#include "tests/frame/FrameTestSupport.h"

#include <chrono>

namespace {

const std::string kMain = "\\Software\\Pellox\\Termwright\\1.1.0";

class TFakeWindow : public IMainWindowBounds {
public:
    TWindowBounds Bounds() const override { return Current; }
    void SetBounds(const TWindowBounds& bounds) override {
        Current = bounds;
        TrailWhenSet = TrailText();
    }
    TWindowBounds Current{100, 50, 800, 600};
    std::string TrailWhenSet;
};

class ManagementLayerTest : public FrameTest {
protected:
    void TearDown() override {
        // Loading the settings points the error log next to the program.
        std::filesystem::remove(ProgramFileWithExt(".log"));
        FrameTest::TearDown();
    }

    TKeyItems& AddList(const std::string& name) {
        TKeyItems& list = lists_.NewList();
        list.Name = name;
        return list;
    }

    // Writes values into the store as another program run would have left them.
    template <class Fill> void Store(const std::string& key, Fill fill) {
        TRegistryEx registry;
        registry.OpenKey(kMain + key, true);
        fill(registry);
    }
};

TEST_F(ManagementLayerTest, FirstStartUsesDefaultsAndCreatesTheKeys) {
    TFakeWindow window;
    TManagementLayer layer(lists_, log_);
    EXPECT_EQ(layer.ImportPath, "");
    EXPECT_EQ(layer.ExportPath, "");
    EXPECT_EQ(layer.WordCountLimit, 5);
    EXPECT_TRUE(TrailEmpty());
    for (const char* key : {"", "\\AddWordList", "\\SearchList", "\\ReplaceList"})
        EXPECT_TRUE(TRegistry().OpenKey(kMain + key, false)) << key;
    EXPECT_FALSE(TRegistry().OpenKey(kMain + "\\List-C", false));
    TKeyItems& list = AddList("List-C");
    layer.SetMainWindow(&window);
    layer.LoadSettings();
    EXPECT_EQ(window.Current, (TWindowBounds{100, 50, 800, 600}));
    EXPECT_EQ(window.TrailWhenSet, "AS013");
    EXPECT_EQ(list.Settings.Font, TFontSpec());
    EXPECT_TRUE(TRegistry().OpenKey(kMain + "\\List-C", false));
}

TEST_F(ManagementLayerTest, ValuesOfTheWrongTypeAreDefaultsAndRewritten) {
    Store("", [](TRegistryEx& r) {
        r.WriteString("WordCountLimit", "9");
        r.WriteInteger("ImportPath", 3);
    });
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.WordCountLimit, 5);
        EXPECT_EQ(layer.ImportPath, "");
    }
    TRegistryEx registry;
    registry.OpenKey(kMain, false);
    EXPECT_EQ(registry.GetDataType("WordCountLimit"), TRegDataType::Integer);
    EXPECT_FALSE(registry.ValueExists("ImportPath"));
}

TEST_F(ManagementLayerTest, EmptyPathDeletesItsValue) {
    Store("", [](TRegistryEx& r) { r.WriteString("ExportPath", "/home/u/out"); });
    TManagementLayer layer(lists_, log_);
    EXPECT_EQ(layer.ExportPath, "/home/u/out");
    layer.ExportPath.clear();
    layer.SaveSettings();
    TRegistry registry;
    registry.OpenKey(kMain, false);
    EXPECT_FALSE(registry.ValueExists("ExportPath"));
}

TEST_F(ManagementLayerTest, RecentListsKeepTenAndSkipMissingOrEmptyItems) {
    {
        TManagementLayer layer(lists_, log_);
        for (int i = 0; i < 12; ++i)
            layer.SearchList.push_back(std::string("s").append(std::to_string(i)));
    }
    Store("\\AddWordList", [](TRegistryEx& r) {
        r.WriteInteger("Count", 3);
        r.WriteString("Item2", "c");
        r.WriteString("Item0", "a");
    });
    Store("\\ReplaceList", [](TRegistryEx& r) {
        r.WriteInteger("Count", 4);
        r.WriteString("Item01", "leading zero");
        r.WriteString("Item1", "");
        r.WriteString("Item3", "d");
        r.WriteInteger("Item2", 7);
        r.WriteString("Item4", "beyond Count");
    });
    TManagementLayer layer(lists_, log_);
    ASSERT_EQ(layer.SearchList.size(), 10u);
    EXPECT_EQ(layer.SearchList.back(), "s9");
    EXPECT_EQ(layer.AddWordList, (TRecentList{"a", "c"}));
    EXPECT_EQ(layer.ReplaceList, (TRecentList{"d"}));
}

TEST_F(ManagementLayerTest, HugeCountLoadsOnlyTheItemsThatExist) {
    Store("\\SearchList", [](TRegistryEx& r) {
        r.WriteInteger("Count", 2147483647);
        r.WriteString("Item100", "far");
        r.WriteString("Item0", "near");
    });
    const auto start = std::chrono::steady_clock::now();
    TManagementLayer layer(lists_, log_);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(layer.SearchList, (TRecentList{"near", "far"}));
}

TEST_F(ManagementLayerTest, RecentEntriesAreStoredAsUnicode) {
    // As the previous version left them: UTF-8 in the store.
    Store("\\SearchList", [](TRegistryEx& r) {
        r.WriteInteger("Count", 2);
        r.WriteString("Item0", "кот");
        r.WriteString("Item1", "Grüße 😀");
    });
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.SearchList, (TRecentList{"кот", "Grüße 😀"}));
        layer.AddWordList = {"σοφία", "שלום"};
    }
    const std::string store = ReadFile(StorePath());
    EXPECT_NE(store.find("\"Item0\"=\"σοφία\"\r\n\"Item1\"=\"שלום\""), std::string::npos) << store;
    TManagementLayer layer(lists_, log_);
    EXPECT_EQ(layer.AddWordList, (TRecentList{"σοφία", "שלום"}));
}

// The encodings are stored by name; a name that is no choice of its setting reads as the default.
TEST_F(ManagementLayerTest, EncodingsAreStoredByNameAndCheckedOnLoad) {
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.ImportEncoding, TTextEncoding{TEncoding::Automatic});
        EXPECT_EQ(layer.ExportEncoding, TTextEncoding{TEncoding::Utf8});
        layer.ImportEncoding = {TEncoding::CodePage, 1251};
        layer.ExportEncoding = {TEncoding::Utf16LE};
    }
    const std::string store = ReadFile(StorePath());
    EXPECT_NE(store.find("\"ImportEncoding\"=\"windows-1251\""), std::string::npos) << store;
    EXPECT_NE(store.find("\"ExportEncoding\"=\"utf-16le\""), std::string::npos) << store;
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.ImportEncoding, (TTextEncoding{TEncoding::CodePage, 1251}));
        EXPECT_EQ(layer.ExportEncoding, TTextEncoding{TEncoding::Utf16LE});
    }
    const std::pair<const char*, const char*> wrong[] = {
        {"utf-8-bom", "automatic"}, {"windows-1249", "utf-16be"}, {"", "UTF-8"}};
    for (const auto& [import, exportName] : wrong) {
        Store("", [&](TRegistryEx& r) {
            r.WriteString("ImportEncoding", import);
            r.WriteString("ExportEncoding", exportName);
        });
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.ImportEncoding, TTextEncoding{TEncoding::Automatic}) << import;
        EXPECT_EQ(layer.ExportEncoding, TTextEncoding{TEncoding::Utf8}) << exportName;
    }
    // Back at the defaults, the values leave the store as the empty paths do.
    EXPECT_EQ(ReadFile(StorePath()).find("Encoding"), std::string::npos);
}

TEST_F(ManagementLayerTest, ListSettingsGoToTheListsSubkey) {
    TKeyItems& list = AddList("List-C");
    Store("\\List-C", [](TRegistryEx& r) {
        r.WriteInteger("FontStyle", 3 | 0x30);
        r.WriteInteger("Color3", 0x00112233);
        r.WriteString("FontName", "Liberation Sans");
    });
    TManagementLayer layer(lists_, log_);
    EXPECT_EQ(list.Settings.Font.Style, StyleBold | StyleItalic);
    EXPECT_EQ(list.Settings.GetColor(3), 0x00112233u);
    EXPECT_EQ(list.Settings.Font.Name, "Liberation Sans");
    EXPECT_EQ(list.Settings.Font.Size, 9);
    list.Settings.Font.Name.clear();
    layer.SaveSettings();
    TRegistryEx registry;
    registry.OpenKey(kMain + "\\List-C", false);
    EXPECT_EQ(registry.ReadStringDef("FontName", "missing"), "");
    EXPECT_EQ(registry.ReadIntegerDef("Color1", 0), 0xFFFFFF);
}

TEST_F(ManagementLayerTest, WindowBoundsRoundTripAsTheyAre) {
    TFakeWindow window;
    {
        TManagementLayer layer(lists_, log_);
        layer.SetMainWindow(&window);
        window.Current = {-1600, -20, 900, 700};
        layer.SaveSettings();
        window.Current = {};
        layer.LoadSettings();
        EXPECT_EQ(window.Current, (TWindowBounds{-1600, -20, 900, 700}));
        window.Current = {1, 2, 3, 4};
        layer.SetMainWindow(nullptr);
    }
    TRegistryEx registry;
    registry.OpenKey(kMain, false);
    EXPECT_EQ(registry.ReadIntegerDef("MainWindowLeft", 0), -1600) << "the save without a window keeps them";
}

TEST_F(ManagementLayerTest, StoreOfARunIsReadableAndReadsBackIdentically) {
    AddList("List-A");
    TFakeWindow window;
    {
        TManagementLayer layer(lists_, log_);
        layer.SetMainWindow(&window);
        layer.ImportPath = "/home/u/in \"quoted\"";
        layer.AddWordList = {"shoe", " red"};
        layer.SaveSettings();
        layer.SetMainWindow(nullptr);
    }
    const std::string text = ReadFile(StorePath());
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pellox\\Termwright\\1.1.0\\AddWordList]\r\n"
                        "\"Count\"=dword:00000002\r\n\"Item0\"=\"shoe\"\r\n\"Item1\"=\" red\"\r\n"),
              std::string::npos)
        << text;
    std::string again;
    for (const auto& line : FormatRegFile(LoadRegFile(StorePath())))
        again += line + "\r\n";
    EXPECT_EQ(again, text);
}

TEST_F(ManagementLayerTest, DamagedStoreNeverStopsTheProgram) {
    WriteFile(
        StorePath(),
        std::string("Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\S]\r\n\"A\"=\x01\xFF"));
    {
        TManagementLayer layer(lists_, log_);
        EXPECT_EQ(layer.WordCountLimit, 5);
    }
    EXPECT_TRUE(std::filesystem::exists(StorePath() + ".corrupt"));
    EXPECT_NO_THROW(ParseRegFile(ReadFile(StorePath())));
}

TEST_F(ManagementLayerTest, SaveFailureIsSilent) {
    WriteFile(temp_ / "config/Pellox", "a file where the folder should be");
    TManagementLayer layer(lists_, log_);
    EXPECT_NO_THROW(layer.SaveSettings());
    EXPECT_TRUE(TrailEmpty());
}

TEST_F(ManagementLayerTest, HomePageOpensThroughTheShell) {
    std::string opened;
    SetShellOpenHandler([&](const std::string& target) {
        opened = target;
        return true;
    });
    TManagementLayer(lists_, log_).OpenHomePage();
    SetShellOpenHandler({});
    EXPECT_EQ(opened, HomePageAddress);
}

} // namespace
