#include "ManagementLayer.h"

#include "BusinessLogicLayer.h"
#include "CheckpointTrail.h"
#include "CodePage.h"
#include "ErrorLog.h"
#include "Files.h"
#include "Registry.h"
#include "WindowBounds.h"

#include <algorithm>
#include <charconv>
#include <utility>

TManagementLayer* ManagementLayer = nullptr;

namespace {

const std::string kMainKey = "Software\\Pellox\\Termwright\\1.1.0";
constexpr std::string_view kItemPrefix = "Item";
// Bits 0..3: bold, italic, underline, strike-out; the rest have no effect.
constexpr int kFontStyleBits = 0x0F;

std::string SubKey(const std::string& name) {
    return kMainKey + '\\' + name;
}

std::string ColorName(int index) {
    return "Color" + std::to_string(index);
}

std::string ItemName(int index) {
    return std::string(kItemPrefix) + std::to_string(index);
}

// The n of a value named "Item" followed by n in decimal without leading zeros; -1 for any other name.
int ItemIndex(std::string_view name) {
    if (name.size() <= kItemPrefix.size() || !SameRegName(name.substr(0, kItemPrefix.size()), kItemPrefix))
        return -1;
    const std::string_view digits = name.substr(kItemPrefix.size());
    if (digits.size() > 1 && digits.front() == '0')
        return -1;
    int index = -1;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return error == std::errc() && end == digits.data() + digits.size() && index >= 0 ? index : -1;
}

template <class Visit> void ForEachList(Visit visit) {
    if (!BusinessLogicLayer)
        return;
    for (int i = 0; i < BusinessLogicLayer->ListCount(); ++i)
        visit(BusinessLogicLayer->GetList(i));
}

} // namespace

TManagementLayer::TManagementLayer() {
    CheckpointScope scope("AS003");
    SetCheckpoint("AS004");
    LoadSettings();
}

TManagementLayer::~TManagementLayer() {
    PushCheckpoint("AD003");
    SaveSettings();
    SetCheckpoint("AD009");
    AddWordList.clear();
    SearchList.clear();
    ReplaceList.clear();
    SetCheckpoint("AD004");
    PopCheckpoint();
}

void TManagementLayer::LoadSettings() {
    CheckpointScope scope("AS013");
    ErrorLogPath = ProgramFileWithExt(".log");
    try {
        TRegistryEx registry;
        LoadMainKey(registry);
        ForEachList([&](TKeyItems& list) { LoadListSettings(registry, list); });
        LoadRecentList(registry, "AddWordList", AddWordList);
        LoadRecentList(registry, "SearchList", SearchList);
        LoadRecentList(registry, "ReplaceList", ReplaceList);
    } catch (...) {
        // Unreadable settings never stop the program: what was read so far stays applied.
    }
}

void TManagementLayer::SaveSettings() {
    CheckpointScope scope("AD006");
    try {
        TRegistryEx registry;
        SaveMainKey(registry);
        ForEachList([&](const TKeyItems& list) { SaveListSettings(registry, list); });
        SaveRecentList(registry, "AddWordList", AddWordList);
        SaveRecentList(registry, "SearchList", SearchList);
        SaveRecentList(registry, "ReplaceList", ReplaceList);
        registry.Flush();
    } catch (...) {
        // A failed save must not disturb the shut-down; what was written stays written.
    }
}

void TManagementLayer::OpenHomePage() const {
    ShellOpen(HomePageAddress);
}

void TManagementLayer::LoadMainKey(TRegistryEx& registry) {
    registry.OpenKey(kMainKey, true);
    ImportPath = registry.ReadStringDef("ImportPath", "");
    ExportPath = registry.ReadStringDef("ExportPath", "");
    WordCountLimit = registry.ReadIntegerDef("WordCountLimit", 5);
    KeepLists = registry.ReadIntegerDef("KeepLists", 1) != 0;
    if (!mainWindow_)
        return;
    TWindowBounds bounds = mainWindow_->Bounds();
    bounds.Width = registry.ReadIntegerDef("MainWindowWidth", bounds.Width);
    bounds.Height = registry.ReadIntegerDef("MainWindowHeight", bounds.Height);
    bounds.Top = registry.ReadIntegerDef("MainWindowTop", bounds.Top);
    bounds.Left = registry.ReadIntegerDef("MainWindowLeft", bounds.Left);
    mainWindow_->SetBounds(bounds);
}

void TManagementLayer::SaveMainKey(TRegistryEx& registry) const {
    registry.OpenKey(kMainKey, true);
    registry.WriteStringOrDelete("ImportPath", ImportPath, "");
    registry.WriteStringOrDelete("ExportPath", ExportPath, "");
    registry.WriteInteger("WordCountLimit", WordCountLimit);
    registry.WriteInteger("KeepLists", KeepLists ? 1 : 0);
    if (!mainWindow_)
        return;
    const TWindowBounds bounds = mainWindow_->Bounds();
    registry.WriteInteger("MainWindowLeft", bounds.Left);
    registry.WriteInteger("MainWindowTop", bounds.Top);
    registry.WriteInteger("MainWindowWidth", bounds.Width);
    registry.WriteInteger("MainWindowHeight", bounds.Height);
}

void TManagementLayer::LoadListSettings(TRegistryEx& registry, TKeyItems& list) {
    registry.CloseKey();
    registry.OpenKey(SubKey(list.Name), true);
    TListSettings& settings = list.Settings;
    for (int index = 1; index <= 4; ++index) {
        const auto current = static_cast<std::int32_t>(settings.GetColor(index));
        settings.SetColor(index,
                          static_cast<std::uint32_t>(registry.ReadIntegerDef(ColorName(index), current)));
    }
    TFontSpec& font = settings.Font;
    font.Name = registry.ReadStringDef("FontName", font.Name);
    font.Size = registry.ReadIntegerDef("FontSize", font.Size);
    font.Style = static_cast<std::uint8_t>(registry.ReadIntegerDef("FontStyle", font.Style) & kFontStyleBits);
}

void TManagementLayer::SaveListSettings(TRegistryEx& registry, const TKeyItems& list) {
    registry.CloseKey();
    registry.OpenKey(SubKey(list.Name), true);
    const TListSettings& settings = list.Settings;
    for (int index = 1; index <= 4; ++index)
        registry.WriteInteger(ColorName(index), static_cast<std::int32_t>(settings.GetColor(index)));
    registry.WriteString("FontName", settings.Font.Name);
    registry.WriteInteger("FontSize", settings.Font.Size);
    registry.WriteInteger("FontStyle", settings.Font.Style);
}

void TManagementLayer::LoadRecentList(TRegistryEx& registry, const char* name, TRecentList& list) {
    list.clear();
    registry.CloseKey();
    registry.OpenKey(SubKey(name), true);
    const int count = registry.ReadIntegerDef("Count", 0);
    // Only the items that exist are visited, in the order of their numbers: a damaged Count can't make the
    // load walk billions of missing ones.
    std::vector<std::pair<int, std::string>> items;
    for (auto& valueName : registry.GetValueNames()) {
        const int index = ItemIndex(valueName);
        if (index >= 0 && index < count)
            items.emplace_back(index, std::move(valueName));
    }
    std::sort(items.begin(), items.end());
    for (const auto& [index, valueName] : items) {
        const std::string text = registry.ReadStringDef(valueName, "");
        if (!text.empty())
            list.push_back(ActiveCodePage().FromUtf8(text));
    }
}

void TManagementLayer::SaveRecentList(TRegistryEx& registry, const char* name, const TRecentList& list) {
    registry.CloseKey();
    registry.DeleteKey(SubKey(name));
    registry.OpenKey(SubKey(name), true);
    const int count = std::min(static_cast<int>(list.size()), RecentListStoredMax);
    registry.WriteInteger("Count", count);
    for (int i = 0; i < count; ++i)
        registry.WriteString(ItemName(i), ActiveCodePage().ToUtf8(list[static_cast<std::size_t>(i)]));
}

void CreateManagementLayer() {
    ManagementLayer = new TManagementLayer();
}

void DestroyManagementLayer() {
    delete ManagementLayer;
    ManagementLayer = nullptr;
}
