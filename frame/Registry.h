#pragma once

#include "core/Exceptions.h"
#include "frame/RegKey.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TErrorLog;

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

enum class TRegDataType { Unknown, String, ExpandString, Integer, Binary };

// Access to the per-user settings store, a tree of keys under HKEY_CURRENT_USER kept in one file. The
// object reads the file when it is made and writes it back, if anything changed, when it goes away. Key
// paths are separated by "\"; a path that starts with "\" starts at the root, any other at the open key.
// Texts are UTF-8. Use one object at a time: each writes the whole store as it sees it.
class TRegistry {
public:
    // The program's store: $XDG_CONFIG_HOME/Pellox/Termwright.reg. A damaged store is reported to log.
    explicit TRegistry(const TErrorLog* log = nullptr);
    explicit TRegistry(std::string storeFile, const TErrorLog* log = nullptr);
    virtual ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // False when the key doesn't exist and canCreate is not set.
    bool OpenKey(std::string_view key, bool canCreate);
    // Back to the root.
    void CloseKey();
    // Deletes the key with all its values and subkeys; false when there was none.
    bool DeleteKey(std::string_view key);

    bool ValueExists(std::string_view name) const;
    TRegDataType GetDataType(std::string_view name) const;
    std::vector<std::string> GetValueNames() const;
    // Raise ERegistryException when the value is missing or of another type. ReadString reads both string
    // types; an expandable string comes back unexpanded.
    std::int32_t ReadInteger(std::string_view name) const;
    std::string ReadString(std::string_view name) const;
    void WriteInteger(std::string_view name, std::int32_t value);
    void WriteString(std::string_view name, std::string_view value);
    // False when there was no such value.
    bool DeleteValue(std::string_view name);

    // Writes pending changes now; raises EInOutError. The destructor does the same and drops a failure.
    void Flush();

private:
    const TRegKey* Find(std::string_view key) const;
    TRegKey& CurrentKey();
    const TRegKey& CurrentKey() const;
    const TRegValue& Value(std::string_view name) const;
    void Write(std::string_view name, std::uint32_t type, std::string data);

    std::string file_;
    TRegKey root_;
    std::vector<std::string> current_;
    bool changed_ = false;
};

// The three helpers the settings use: typed reads with a default, and a write that deletes a default value.
class TRegistryEx : public TRegistry {
public:
    using TRegistry::TRegistry;

    // The default unless the value exists as an integer; a number stored as text is not converted.
    std::int32_t ReadIntegerDef(std::string_view name, std::int32_t fallback) const;
    // The default unless the value exists as a string or an (unexpanded) expandable string.
    std::string ReadStringDef(std::string_view name, const std::string& fallback) const;
    // Deletes the value when it equals the default exactly, else writes it as a string.
    void WriteStringOrDelete(std::string_view name, const std::string& value, const std::string& fallback);
};

// Where the program's settings store lives.
std::string SettingsStorePath();
