#include "frame/ManagementLayer.h"

#include "core/BusinessLogicLayer.h"
#include "core/CheckpointTrail.h"
#include "frame/ErrorLog.h"
#include "frame/Files.h"
#include "frame/Registry.h"
#include "frame/WindowBounds.h"
#include "version.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <utility>

namespace {

const std::string kMainKey = "Software\\Pellox\\Termwright\\" PT_VERSION;
constexpr std::string_view kItemPrefix = "Item";
// Bits 0..3: bold, italic, underline, strike-out; the rest have no effect.
constexpr int kFontStyleBits = 0x0F;

std::string SubKey(const std::string& name) {
    return kMainKey + '\\' + name;
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

// One stored value: its name, type, default and range, and the field of TOwner it holds. Load and save walk
// the same tables, so each key and its default are written down once. Without a default of its own, a
// missing value leaves the field as it is; a value out of range reads as missing.
template <class TOwner> struct TIntegerSetting {
    const char* Name;
    std::int32_t (*Get)(const TOwner&);
    void (*Set)(TOwner&, std::int32_t);
    std::optional<std::int32_t> Default = std::nullopt;
    std::int32_t Min = std::numeric_limits<std::int32_t>::min();
    std::int32_t Max = std::numeric_limits<std::int32_t>::max();
};

// A string value; one with a default of its own is deleted from the store while it holds that default.
template <class TOwner> struct TStringSetting {
    const char* Name;
    std::string (*Get)(const TOwner&);
    void (*Set)(TOwner&, const std::string&);
    std::optional<std::string_view> Default = std::nullopt;
    // The range: whether a stored text is a value of the setting.
    bool (*Allowed)(std::string_view) = [](std::string_view) { return true; };
};

template <class TOwner> struct TSettings {
    std::vector<TIntegerSetting<TOwner>> Integers;
    std::vector<TStringSetting<TOwner>> Strings;
};

template <class TOwner>
void LoadValues(const TRegistryEx& registry, const TSettings<TOwner>& settings, TOwner& owner) {
    for (const auto& setting : settings.Integers) {
        const std::int32_t current = setting.Default.value_or(setting.Get(owner));
        const std::int32_t value = registry.ReadIntegerDef(setting.Name, current);
        setting.Set(owner, value >= setting.Min && value <= setting.Max ? value : current);
    }
    for (const auto& setting : settings.Strings) {
        const std::string current = setting.Default ? std::string(*setting.Default) : setting.Get(owner);
        const std::string value = registry.ReadStringDef(setting.Name, current);
        setting.Set(owner, setting.Allowed(value) ? value : current);
    }
}

template <class TOwner>
void SaveValues(TRegistryEx& registry, const TSettings<TOwner>& settings, const TOwner& owner) {
    for (const auto& setting : settings.Integers)
        registry.WriteInteger(setting.Name, setting.Get(owner));
    for (const auto& setting : settings.Strings) {
        if (setting.Default)
            registry.WriteStringOrDelete(setting.Name, setting.Get(owner), std::string(*setting.Default));
        else
            registry.WriteString(setting.Name, setting.Get(owner));
    }
}

bool IsImportEncoding(std::string_view name) {
    const auto encoding = EncodingFromName(name);
    const auto all = ImportEncodings();
    return encoding && std::find(all.begin(), all.end(), *encoding) != all.end();
}

bool IsExportEncoding(std::string_view name) {
    const auto encoding = EncodingFromName(name);
    const auto all = ExportEncodings();
    return encoding && std::find(all.begin(), all.end(), *encoding) != all.end();
}

// The main key's own values.
const TSettings<TManagementLayer> MainSettings = {
    {
        {"WordCountLimit", [](const TManagementLayer& m) { return m.WordCountLimit; },
         [](TManagementLayer& m, std::int32_t v) { m.WordCountLimit = v; }, 5},
        {"KeepLists", [](const TManagementLayer& m) { return m.KeepLists ? 1 : 0; },
         [](TManagementLayer& m, std::int32_t v) { m.KeepLists = v != 0; }, 1, 0, 1},
        {"UndoMemory", [](const TManagementLayer& m) { return m.UndoMemory; },
         [](TManagementLayer& m, std::int32_t v) { m.UndoMemory = v; }, 0, 0, MaxUndoMemory},
    },
    {
        {"ImportPath", [](const TManagementLayer& m) { return m.ImportPath; },
         [](TManagementLayer& m, const std::string& v) { m.ImportPath = v; }, ""},
        {"ExportPath", [](const TManagementLayer& m) { return m.ExportPath; },
         [](TManagementLayer& m, const std::string& v) { m.ExportPath = v; }, ""},
        {"ImportEncoding", [](const TManagementLayer& m) { return EncodingName(m.ImportEncoding); },
         [](TManagementLayer& m, const std::string& v) { m.ImportEncoding = *EncodingFromName(v); },
         "automatic", IsImportEncoding},
        {"ExportEncoding", [](const TManagementLayer& m) { return EncodingName(m.ExportEncoding); },
         [](TManagementLayer& m, const std::string& v) { m.ExportEncoding = *EncodingFromName(v); }, "utf-8",
         IsExportEncoding},
    },
};

// The main window's bounds, kept in the main key; missing ones keep the window's current bounds.
const TSettings<TWindowBounds> BoundsSettings = {
    {
        {"MainWindowLeft", [](const TWindowBounds& b) { return b.Left; },
         [](TWindowBounds& b, std::int32_t v) { b.Left = v; }, std::nullopt},
        {"MainWindowTop", [](const TWindowBounds& b) { return b.Top; },
         [](TWindowBounds& b, std::int32_t v) { b.Top = v; }, std::nullopt},
        {"MainWindowWidth", [](const TWindowBounds& b) { return b.Width; },
         [](TWindowBounds& b, std::int32_t v) { b.Width = v; }, std::nullopt},
        {"MainWindowHeight", [](const TWindowBounds& b) { return b.Height; },
         [](TWindowBounds& b, std::int32_t v) { b.Height = v; }, std::nullopt},
    },
    {},
};

template <int Index> TIntegerSetting<TListSettings> ColorSetting(const char* name) {
    return {name, [](const TListSettings& s) { return static_cast<std::int32_t>(s.GetColor(Index)); },
            [](TListSettings& s, std::int32_t v) { s.SetColor(Index, static_cast<std::uint32_t>(v)); },
            std::nullopt};
}

// Each list's colours and font, in the list's subkey; missing ones keep the list's current settings.
const TSettings<TListSettings> ListValues = {
    {
        ColorSetting<1>("Color1"),
        ColorSetting<2>("Color2"),
        ColorSetting<3>("Color3"),
        ColorSetting<4>("Color4"),
        {"FontSize", [](const TListSettings& s) { return static_cast<std::int32_t>(s.Font.Size); },
         [](TListSettings& s, std::int32_t v) { s.Font.Size = v; }, std::nullopt},
        {"FontStyle", [](const TListSettings& s) { return static_cast<std::int32_t>(s.Font.Style); },
         [](TListSettings& s, std::int32_t v) {
             s.Font.Style = static_cast<std::uint8_t>(v & kFontStyleBits);
         },
         std::nullopt},
    },
    {
        {"FontName", [](const TListSettings& s) { return s.Font.Name; },
         [](TListSettings& s, const std::string& v) { s.Font.Name = v; }, std::nullopt},
    },
};

void OpenListKey(TRegistryEx& registry, const TKeyItems& list) {
    registry.CloseKey();
    registry.OpenKey(SubKey(list.Name), true);
}

} // namespace

template <class TVisit> void TManagementLayer::ForEachList(TVisit visit) const {
    for (int i = 0; i < lists_.ListCount(); ++i)
        visit(lists_.GetList(i));
}

TManagementLayer::TManagementLayer(TBusinessLogicLayer& lists, TErrorLog& log) : lists_(lists), log_(log) {
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
    log_.SetPath(ProgramFileWithExt(".log"));
    try {
        TRegistryEx registry(&log_);
        LoadMainKey(registry);
        ForEachList([&](TKeyItems& list) {
            OpenListKey(registry, list);
            LoadValues(registry, ListValues, list.Settings);
        });
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
        TRegistryEx registry(&log_);
        SaveMainKey(registry);
        ForEachList([&](const TKeyItems& list) {
            OpenListKey(registry, list);
            SaveValues(registry, ListValues, list.Settings);
        });
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
    LoadValues(registry, MainSettings, *this);
    if (!mainWindow_)
        return;
    TWindowBounds bounds = mainWindow_->Bounds();
    LoadValues(registry, BoundsSettings, bounds);
    mainWindow_->SetBounds(bounds);
}

void TManagementLayer::SaveMainKey(TRegistryEx& registry) const {
    registry.OpenKey(kMainKey, true);
    SaveValues(registry, MainSettings, *this);
    if (mainWindow_)
        SaveValues(registry, BoundsSettings, mainWindow_->Bounds());
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
            list.push_back(text);
    }
}

void TManagementLayer::SaveRecentList(TRegistryEx& registry, const char* name, const TRecentList& list) {
    registry.CloseKey();
    registry.DeleteKey(SubKey(name));
    registry.OpenKey(SubKey(name), true);
    const int count = std::min(static_cast<int>(list.size()), RecentListStoredMax);
    registry.WriteInteger("Count", count);
    for (int i = 0; i < count; ++i)
        registry.WriteString(ItemName(i), list[static_cast<std::size_t>(i)]);
}
