#include "frame/RegFile.h"

#include "core/Exceptions.h"
#include "core/KeywordFile.h"
#include "frame/ErrorLog.h"

#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kRoot = "HKEY_CURRENT_USER";
constexpr std::string_view kHexDigits = "0123456789abcdef";
// A store holds a few kilobytes; anything far larger is not one of ours.
constexpr long long kMaxFileBytes = 16 << 20;
// The registry's own limit; a deeper key is damage, and would overflow the stack of every walk of the tree.
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kHexLineWidth = 80;

// ---- writing

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string Utf16Bytes(const std::string& utf8) {
    std::string bytes;
    for (char16_t unit : QString::fromUtf8(utf8).toStdU16String() + u'\0') {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

void AppendHexLines(std::string line, std::string_view bytes, std::vector<std::string>& lines) {
    const std::size_t prefix = line.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        std::string piece{kHexDigits[b >> 4], kHexDigits[b & 15]};
        if (i + 1 < bytes.size())
            piece += ',';
        if (line.size() > prefix && line.size() + piece.size() >= kHexLineWidth) {
            lines.push_back(line + '\\');
            line = "  ";
        }
        line += piece;
    }
    lines.push_back(line);
}

std::string HexTag(std::uint32_t type) {
    if (type == RegBinary)
        return "hex:";
    char tag[16];
    std::snprintf(tag, sizeof tag, "hex(%x):", static_cast<unsigned>(type));
    return tag;
}

void AppendValue(const TRegValue& value, std::vector<std::string>& lines) {
    const std::string name = (value.Name.empty() ? std::string("@") : Quoted(value.Name)) + '=';
    if (value.Type == RegSz && value.Data.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos) {
        lines.push_back(name + Quoted(value.Data));
    } else if (value.Type == RegDword && value.Data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(value.Data[static_cast<std::size_t>(i)]);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(number));
        lines.push_back(name + text);
    } else if (value.Type == RegSz || value.Type == RegExpandSz) {
        AppendHexLines(name + HexTag(value.Type), Utf16Bytes(value.Data), lines);
    } else {
        AppendHexLines(name + HexTag(value.Type), value.Data, lines);
    }
}

void AppendKey(const std::string& path, const TRegKey& key, bool isRoot, std::vector<std::string>& lines) {
    if (!isRoot || !key.Values.empty()) {
        lines.push_back('[' + path + ']');
        for (const auto& value : key.Values)
            AppendValue(value, lines);
        lines.emplace_back();
    }
    for (const auto& [name, subKey] : key.SubKeys)
        AppendKey(path + '\\' + name, subKey, false, lines);
}

// ---- reading

[[noreturn]] void Damaged(int line, const std::string& reason) {
    throw Exception("line " + std::to_string(line) + ": " + reason);
}

class TRegFileParser {
public:
    explicit TRegFileParser(std::string_view text) { SplitLines(text); }

    TRegKey Parse() {
        std::size_t i = 0;
        while (i < lines_.size() && lines_[i].empty())
            ++i;
        if (i == lines_.size() || lines_[i] != kHeader)
            Damaged(static_cast<int>(i + 1), "not a registry export");
        for (++i; i < lines_.size(); ++i) {
            lineNumber_ = static_cast<int>(i + 1);
            const std::string_view line = lines_[i];
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                OpenSection(line);
            else
                ParseValue(line, i);
        }
        return std::move(root_);
    }

private:
    void SplitLines(std::string_view text) {
        while (!text.empty()) {
            const auto end = text.find('\n');
            std::string_view line = text.substr(0, end);
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
                line.remove_suffix(1);
            lines_.emplace_back(line);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
    }

    void OpenSection(std::string_view line) {
        if (line.back() != ']')
            Damaged(lineNumber_, "unclosed key name");
        std::string_view path = line.substr(1, line.size() - 2);
        if (!path.starts_with(kRoot) || (path.size() > kRoot.size() && path[kRoot.size()] != '\\'))
            Damaged(lineNumber_, "key outside HKEY_CURRENT_USER");
        path.remove_prefix(kRoot.size());
        current_ = &root_;
        for (std::size_t depth = 1; !path.empty(); ++depth) {
            path.remove_prefix(1);
            const auto name = path.substr(0, path.find('\\'));
            if (name.empty())
                Damaged(lineNumber_, "empty key name");
            if (depth > kMaxKeyDepth)
                Damaged(lineNumber_, "key nested too deep");
            current_ = &current_->SubKeys[std::string(name)];
            path.remove_prefix(name.size());
        }
    }

    // A later line for a value name replaces the earlier one. The names of each key are indexed, so that a
    // key with very many values still reads in n log n.
    void SetValue(const std::string& name, std::uint32_t type, std::string data) {
        auto& names = valueIndex_[current_];
        const auto [found, added] = names.try_emplace(name, current_->Values.size());
        if (added) {
            current_->Values.push_back({name, type, std::move(data)});
            return;
        }
        TRegValue& value = current_->Values[found->second];
        value.Type = type;
        value.Data = std::move(data);
    }

    void ParseValue(std::string_view line, std::size_t& index) {
        if (!current_)
            Damaged(lineNumber_, "value outside a key");
        std::string name;
        if (line.front() == '@')
            line.remove_prefix(1);
        else
            name = TakeQuoted(line);
        if (line.empty() || line.front() != '=')
            Damaged(lineNumber_, "missing \"=\"");
        line.remove_prefix(1);
        if (line.starts_with('"')) {
            std::string text = TakeQuoted(line);
            if (!line.empty())
                Damaged(lineNumber_, "text after the value");
            SetValue(name, RegSz, std::move(text));
        } else if (line.starts_with("dword:")) {
            SetValue(name, RegDword, ParseDword(line.substr(6)));
        } else if (line.starts_with("hex")) {
            ParseHexValue(name, JoinContinuation(line, index));
        } else {
            Damaged(lineNumber_, "unknown value form");
        }
    }

    std::string TakeQuoted(std::string_view& line) {
        if (line.empty() || line.front() != '"')
            Damaged(lineNumber_, "missing opening quote");
        std::string text;
        for (std::size_t i = 1; i < line.size(); ++i) {
            if (line[i] == '"') {
                line.remove_prefix(i + 1);
                return text;
            }
            if (line[i] == '\\') {
                if (++i == line.size() || (line[i] != '\\' && line[i] != '"'))
                    Damaged(lineNumber_, "unknown escape");
            }
            text += line[i];
        }
        Damaged(lineNumber_, "missing closing quote");
    }

    std::string ParseDword(std::string_view digits) {
        if (digits.empty() || digits.size() > 8)
            Damaged(lineNumber_, "bad dword");
        std::uint32_t number = 0;
        for (char c : digits)
            number = number << 4 | HexDigit(c);
        std::string bytes;
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(number >> (8 * i) & 0xFF);
        return bytes;
    }

    std::uint32_t HexDigit(char c) {
        const auto at = kHexDigits.find(static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c));
        if (at == std::string_view::npos)
            Damaged(lineNumber_, "bad hexadecimal digit");
        return static_cast<std::uint32_t>(at);
    }

    std::string JoinContinuation(std::string_view line, std::size_t& index) {
        std::string joined(line);
        while (joined.ends_with('\\')) {
            joined.pop_back();
            if (++index == lines_.size())
                Damaged(lineNumber_, "unfinished value");
            std::string_view next = lines_[index];
            next.remove_prefix(std::min(next.find_first_not_of(" \t"), next.size()));
            joined += next;
        }
        return joined;
    }

    void ParseHexValue(const std::string& name, std::string_view text) {
        std::uint32_t type = RegBinary;
        text.remove_prefix(3);
        if (text.starts_with('(')) {
            const auto close = text.find(')');
            if (close == std::string_view::npos || close == 1 || close > 9)
                Damaged(lineNumber_, "bad value type");
            type = 0;
            for (char c : text.substr(1, close - 1))
                type = type << 4 | HexDigit(c);
            text.remove_prefix(close + 1);
        }
        if (!text.starts_with(':'))
            Damaged(lineNumber_, "missing \":\"");
        text.remove_prefix(1);
        std::string bytes = ParseBytes(text);
        if (type == RegSz || type == RegExpandSz)
            bytes = Utf8FromUtf16Bytes(bytes);
        else if (type == RegDword && bytes.size() != 4)
            Damaged(lineNumber_, "a dword of another size than four bytes");
        SetValue(name, type, std::move(bytes));
    }

    std::string ParseBytes(std::string_view text) {
        std::string bytes;
        while (!text.empty()) {
            const auto comma = text.find(',');
            std::string_view item = text.substr(0, comma);
            while (!item.empty() && item.front() == ' ')
                item.remove_prefix(1);
            if (item.empty() || item.size() > 2)
                Damaged(lineNumber_, "bad byte");
            std::uint32_t byte = 0;
            for (char c : item)
                byte = byte << 4 | HexDigit(c);
            bytes += static_cast<char>(byte);
            text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
        }
        return bytes;
    }

    std::string Utf8FromUtf16Bytes(const std::string& bytes) {
        if (bytes.size() % 2 != 0)
            Damaged(lineNumber_, "odd length of a text");
        std::u16string units;
        for (std::size_t i = 0; i < bytes.size(); i += 2) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (unit == 0)
                break;
            units += unit;
        }
        return QString::fromStdU16String(units).toStdString();
    }

    std::vector<std::string> lines_;
    TRegKey root_;
    TRegKey* current_ = nullptr;
    std::map<const TRegKey*, std::map<std::string, std::size_t, TRegNameLess>> valueIndex_;
    int lineNumber_ = 0;
};

bool IsValidUtf8(std::string_view text) {
    return text.find('\0') == std::string_view::npos &&
           QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8() ==
               QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ReadWholeFile(const std::string& path) {
    // Opened without waiting: a pipe at the path would otherwise hold up the start until someone wrote to it.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fd >= 0 ? fdopen(fd, "rb") : nullptr,
                                                               std::fclose);
    if (!file) {
        if (fd >= 0)
            close(fd);
        throw Exception("can't be opened");
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        throw Exception("not a file");
    std::string text;
    char buffer[65536];
    while (const auto n = std::fread(buffer, 1, sizeof buffer, file.get())) {
        text.append(buffer, n);
        if (static_cast<long long>(text.size()) > kMaxFileBytes)
            throw Exception("far too large");
    }
    if (std::ferror(file.get()))
        throw Exception("can't be read");
    return text;
}

} // namespace

std::vector<std::string> FormatRegFile(const TRegKey& root) {
    std::vector<std::string> lines{std::string(kHeader), ""};
    AppendKey(std::string(kRoot), root, true, lines);
    return lines;
}

TRegKey ParseRegFile(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (!IsValidUtf8(text))
        throw Exception("not UTF-8 text");
    return TRegFileParser(text).Parse();
}

TRegKey LoadRegFile(const std::string& path, const TErrorLog* log) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT)
        return {};
    try {
        return ParseRegFile(ReadWholeFile(path));
    } catch (const Exception& e) {
        const std::string aside = path + ".corrupt";
        const bool kept = std::rename(path.c_str(), aside.c_str()) == 0;
        if (log)
            log->Write("Settings file \"" + path + "\" can't be used (" + e.Message + ")" +
                       (kept ? "; kept as \"" + aside + "\"" : "") + "; defaults apply");
        return {};
    }
}

void SaveRegFile(const TRegKey& root, const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    TKeywordFileWriter writer(path);
    for (const auto& line : FormatRegFile(root))
        writer.WriteLine(line);
    writer.Commit();
}
