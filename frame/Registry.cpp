#include "frame/Registry.h"

#include "frame/RegFile.h"

#include <QStandardPaths>
#include <QString>
#include <QStringDecoder>

namespace {

using TKeyPath = std::vector<std::string>;

// Lines of the store are the unit of its text form: names and texts that would break one are refused, and
// bytes that are not UTF-8 are replaced. A byte-order mark at the start is a character of the text like any
// other, not a header to drop.
std::string CheckedText(std::string_view text) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return decoded.toStdString();
}

std::string CheckedName(std::string_view name) {
    if (name.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw ERegistryException("Invalid registry name '" + std::string(name) + "'");
    return CheckedText(name);
}

// Key is TRegKey or const TRegKey.
template <class Key> Key* Lookup(Key& root, const TKeyPath& path) {
    Key* key = &root;
    for (const auto& name : path) {
        const auto found = key->SubKeys.find(name);
        if (found == key->SubKeys.end())
            return nullptr;
        key = &found->second;
    }
    return key;
}

TKeyPath Resolve(const TKeyPath& current, std::string_view key) {
    TKeyPath path = key.starts_with('\\') ? TKeyPath{} : current;
    while (!key.empty()) {
        const auto end = key.find('\\');
        if (end != 0)
            path.push_back(CheckedName(key.substr(0, end)));
        key.remove_prefix(end == std::string_view::npos ? key.size() : end + 1);
    }
    return path;
}

template <class Key> Key& Current(Key& root, const TKeyPath& path) {
    Key* key = Lookup(root, path);
    if (!key)
        throw ERegistryException("The open registry key has been deleted");
    return *key;
}

} // namespace

std::string SettingsStorePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
           "/Pellox/Termwright.reg";
}

TRegistry::TRegistry(const TErrorLog* log) : TRegistry(SettingsStorePath(), log) {}

TRegistry::TRegistry(std::string storeFile, const TErrorLog* log)
    : file_(std::move(storeFile)), root_(LoadRegFile(file_, log)) {}

TRegistry::~TRegistry() {
    try {
        Flush();
    } catch (...) {
        // Nothing can be reported from here; Flush is there for callers who want to know.
    }
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate) {
    TKeyPath path = Resolve(current_, key);
    if (!Lookup(root_, path)) {
        if (!canCreate)
            return false;
        TRegKey* node = &root_;
        for (const auto& name : path)
            node = &node->SubKeys.try_emplace(name).first->second;
        changed_ = true;
    }
    current_ = std::move(path);
    return true;
}

void TRegistry::CloseKey() {
    current_.clear();
}

bool TRegistry::DeleteKey(std::string_view key) {
    TKeyPath path = Resolve(current_, key);
    if (path.empty())
        return false;
    const std::string name = path.back();
    path.pop_back();
    TRegKey* parent = Lookup(root_, path);
    if (!parent || parent->SubKeys.erase(name) == 0)
        return false;
    changed_ = true;
    return true;
}

const TRegKey& TRegistry::CurrentKey() const {
    return Current(root_, current_);
}

TRegKey& TRegistry::CurrentKey() {
    return Current(root_, current_);
}

bool TRegistry::ValueExists(std::string_view name) const {
    return CurrentKey().FindValue(name) != nullptr;
}

TRegDataType TRegistry::GetDataType(std::string_view name) const {
    const TRegValue* value = CurrentKey().FindValue(name);
    switch (value ? value->Type : RegNone) {
    case RegSz:
        return TRegDataType::String;
    case RegExpandSz:
        return TRegDataType::ExpandString;
    case RegDword:
        return TRegDataType::Integer;
    case RegBinary:
        return TRegDataType::Binary;
    default:
        return TRegDataType::Unknown;
    }
}

std::vector<std::string> TRegistry::GetValueNames() const {
    std::vector<std::string> names;
    for (const auto& value : CurrentKey().Values)
        names.push_back(value.Name);
    return names;
}

const TRegValue& TRegistry::Value(std::string_view name) const {
    const TRegValue* value = CurrentKey().FindValue(name);
    if (!value)
        throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
    return *value;
}

std::int32_t TRegistry::ReadInteger(std::string_view name) const {
    const TRegValue& value = Value(name);
    if (value.Type != RegDword || value.Data.size() != 4)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
        number = number << 8 | static_cast<unsigned char>(value.Data[static_cast<std::size_t>(i)]);
    return static_cast<std::int32_t>(number);
}

std::string TRegistry::ReadString(std::string_view name) const {
    const TRegValue& value = Value(name);
    if (value.Type != RegSz && value.Type != RegExpandSz)
        throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
    return value.Data;
}

void TRegistry::Write(std::string_view name, std::uint32_t type, std::string data) {
    CurrentKey().SetValue(CheckedName(name), type, std::move(data));
    changed_ = true;
}

void TRegistry::WriteInteger(std::string_view name, std::int32_t value) {
    const auto number = static_cast<std::uint32_t>(value);
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(number >> (8 * i) & 0xFF);
    Write(name, RegDword, std::move(bytes));
}

void TRegistry::WriteString(std::string_view name, std::string_view value) {
    Write(name, RegSz, CheckedText(value));
}

bool TRegistry::DeleteValue(std::string_view name) {
    const bool deleted = CurrentKey().DeleteValue(name);
    changed_ = changed_ || deleted;
    return deleted;
}

void TRegistry::Flush() {
    if (!changed_)
        return;
    SaveRegFile(root_, file_);
    changed_ = false;
}

std::int32_t TRegistryEx::ReadIntegerDef(std::string_view name, std::int32_t fallback) const {
    return GetDataType(name) == TRegDataType::Integer ? ReadInteger(name) : fallback;
}

std::string TRegistryEx::ReadStringDef(std::string_view name, const std::string& fallback) const {
    const TRegDataType type = GetDataType(name);
    return type == TRegDataType::String || type == TRegDataType::ExpandString ? ReadString(name) : fallback;
}

void TRegistryEx::WriteStringOrDelete(std::string_view name, const std::string& value,
                                      const std::string& fallback) {
    if (value == fallback)
        DeleteValue(name);
    else
        WriteString(name, value);
}
