#include "frame/RegFile.h"
#include "frame/Registry.h"
#include "tests/frame/FrameTestSupport.h"

namespace {

using namespace std::string_literals;
using RegFileTest = FrameTest;

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

TRegKey SampleTree() {
    TRegKey root;
    TRegKey& main = root.SubKeys["Software"].SubKeys["Pellox"].SubKeys["Termwright"].SubKeys["1.1.0"];
    main.SetValue("ImportPath", RegSz, "C:\\in \"q\" Привет");
    main.SetValue("WordCountLimit", RegDword, std::string("\xFF\xFF\xFF\xFF", 4));
    main.SetValue("None", RegNone, "");
    main.SetValue("", RegSz, "line one\r\nline two");
    main.SetValue("Path", RegExpandSz,
                  "%HOME%/a/rather/long/path/that/needs/more/than/one/line/of/hex/bytes");
    main.SetValue("Blob", RegBinary, std::string("\x00\x01\xFE", 3));
    main.SetValue("Multi", 7, std::string("a\0\0\0\0\0", 6));
    main.SubKeys["List-A"].SetValue("Color1", RegDword, std::string("\x10\x20\x30\x00", 4));
    main.SubKeys["Empty"];
    return root;
}

TEST_F(RegFileTest, EveryValueFormReadsBackIdentically) {
    const TRegKey tree = SampleTree();
    const std::string text = Joined(FormatRegFile(tree));
    EXPECT_EQ(ParseRegFile(text), tree) << text;
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pellox\\Termwright\\1.1.0]\r\n"
                        "\"ImportPath\"=\"C:\\\\in \\\"q\\\" Привет\"\r\n"
                        "\"WordCountLimit\"=dword:ffffffff\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("@=hex(1):6c,00,69,00"), std::string::npos);
    EXPECT_NE(text.find("\"Path\"=hex(2):25,00"), std::string::npos);
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos) << "long hex values continue on the next line";
    EXPECT_NE(text.find("\"Blob\"=hex:00,01,fe\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Multi\"=hex(7):61,00,00,00,00,00\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Pellox\\Termwright\\1.1.0\\Empty]"),
              std::string::npos);
}

TEST_F(RegFileTest, ReadsHandWrittenExports) {
    const TRegKey tree =
        ParseRegFile("\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n; a comment\n"
                     "[HKEY_CURRENT_USER\\Software\\X]\n\"A\"=dword:A\n\"b\"=hex(2):41,00,\\\n"
                     "   00,00\n");
    const TRegKey& x = tree.SubKeys.at("software").SubKeys.at("x");
    EXPECT_EQ(x.FindValue("a")->Data, std::string("\x0A\0\0\0", 4));
    EXPECT_EQ(x.FindValue("B")->Data, "A");
    EXPECT_EQ(x.FindValue("B")->Type, RegExpandSz);
}

TEST_F(RegFileTest, DamagedTextsAreRefused) {
    const std::string header = "Windows Registry Editor Version 5.00\n";
    for (const std::string& text :
         {std::string("REGEDIT4\n"), std::string("\xFF\xFE garbage"), header + "\"A\"=\"x\"\n",
          header + "[HKEY_LOCAL_MACHINE\\X]\n", header + "[HKEY_CURRENT_USER\\X\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=\"unterminated\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=\"\\n\"\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=dword:123456789\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=hex(4):01,02\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=hex:1g\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=hex:01,\\\n", header + "[HKEY_CURRENT_USER\\X]\nA=1\n",
          header + "[HKEY_CURRENT_USER\\X]\n\"A\"=\"\0\"\n"s}) {
        EXPECT_THROW(ParseRegFile(text), Exception) << text;
    }
}

TEST_F(RegFileTest, DamagedStoreIsKeptAsideAndLogged) {
    log_.SetPath(temp_ / "app.log");
    WriteFile(StorePath(), "not a store");
    EXPECT_EQ(LoadRegFile(StorePath(), &log_), TRegKey());
    EXPECT_FALSE(std::filesystem::exists(StorePath()));
    EXPECT_EQ(ReadFile(StorePath() + ".corrupt"), "not a store");
    EXPECT_NE(ReadFile(log_.Path()).find(".corrupt"), std::string::npos);
    EXPECT_EQ(LoadRegFile(temp_ / "missing.reg"), TRegKey());
}

TEST_F(RegFileTest, SaveReplacesTheFileWhole) {
    SaveRegFile(SampleTree(), StorePath());
    EXPECT_EQ(LoadRegFile(StorePath()), SampleTree());
    SaveRegFile(TRegKey(), StorePath());
    EXPECT_EQ(ReadFile(StorePath()), "Windows Registry Editor Version 5.00\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp_ / "config/Pellox"), {}), 1);
}

} // namespace
