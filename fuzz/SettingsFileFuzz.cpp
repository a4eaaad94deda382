// The settings store on any bytes: the file reader either refuses a file or reads a tree that writes back to
// a file it reads again unchanged; and the management layer loads any store file without raising, keeps
// its values in range, and saves what it loaded so that the next start loads the same.
#include "fuzz/FuzzSupport.h"

#include "core/BusinessLogicLayer.h"
#include "core/Exceptions.h"
#include "frame/ErrorLog.h"
#include "frame/Files.h"
#include "frame/ManagementLayer.h"
#include "frame/RegFile.h"
#include "frame/Registry.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

// The lists whose looks the settings hold, as the program's.
TBusinessLogicLayer& Lists() {
    static TBusinessLogicLayer lists;
    return lists;
}

TErrorLog& Log() {
    static TErrorLog log;
    return log;
}

struct TLoaded {
    std::string ImportPath, ExportPath;
    std::int32_t WordCountLimit = 0;
    TRecentList AddWordList, SearchList, ReplaceList;
    std::vector<TFontSpec> Fonts;
    std::vector<std::uint32_t> Colors;
    bool operator==(const TLoaded&) const = default;
};

TRecentList Stored(const TRecentList& list) {
    return {list.begin(), list.begin() + std::min<std::ptrdiff_t>(std::ssize(list), RecentListStoredMax)};
}

// Loads the store into lists with default settings, as a start does, and saves it again, as an end does.
TLoaded LoadAndSave() {
    for (int i = 0; i < Lists().ListCount(); ++i)
        Lists().GetList(i).Settings = TListSettings();
    TLoaded loaded;
    const auto layer = std::make_unique<TManagementLayer>(Lists(), Log());
    loaded.ImportPath = layer->ImportPath;
    loaded.ExportPath = layer->ExportPath;
    loaded.WordCountLimit = layer->WordCountLimit;
    loaded.AddWordList = Stored(layer->AddWordList);
    loaded.SearchList = Stored(layer->SearchList);
    loaded.ReplaceList = Stored(layer->ReplaceList);
    for (int i = 0; i < Lists().ListCount(); ++i) {
        const TListSettings& settings = Lists().GetList(i).Settings;
        Require(settings.Font.Style <= 15, "font style bits beyond strike-out");
        loaded.Fonts.push_back(settings.Font);
        for (int c = 1; c <= 4; ++c)
            loaded.Colors.push_back(settings.GetColor(c));
    }
    return loaded;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text.append(line).append("\r\n");
    return text;
}

void CheckReader(std::string_view input) {
    TRegKey tree;
    try {
        tree = ParseRegFile(input);
    } catch (const Exception&) {
        return;
    }
    const std::string written = Joined(FormatRegFile(tree));
    TRegKey again;
    try {
        again = ParseRegFile(written);
    } catch (const Exception& e) {
        Broken("a written store is refused: " + e.Message);
    }
    Require(again == tree, "a written store reads back otherwise");
}

void CheckLoad(std::string_view input) {
    const std::string store = SettingsStorePath();
    std::ofstream(store, std::ios::binary | std::ios::trunc)
        .write(input.data(), static_cast<std::streamsize>(input.size()));
    const TLoaded first = LoadAndSave();
    std::ifstream saved(store, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(saved), {}};
    try {
        ParseRegFile(text);
    } catch (const Exception& e) {
        Broken("the saved store is refused: " + e.Message);
    }
    Require(LoadAndSave() == first, "saved settings load otherwise");
    std::remove(store.c_str());
    std::remove((store + ".corrupt").c_str());
    std::remove(Log().Path().c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static const TempFolder scratch;
    setenv("XDG_CONFIG_HOME", (scratch / "config").string().c_str(), 1);
    setenv("XDG_DATA_HOME", (scratch / "data").string().c_str(), 1);
    ForceFolder((scratch / "config/Pellox").string());
    for (const char* name : {"List-A", "List-B", "List-C", "List-D", "List-E", "List-F"})
        Lists().NewList().Name = name;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CheckReader(input);
    CheckLoad(input);
    return 0;
}
