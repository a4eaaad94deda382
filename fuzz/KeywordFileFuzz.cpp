// The keyword text-file reader on any bytes, in one piece, in chunks and from a file, checked against the
// format read the plainest way; and the writer, whose file must read back to the same entries in every
// encoding that can hold them.
#include "core/CodePage.h"
#include "core/KeywordFile.h"
#include "core/Utf8.h"
#include "fuzz/FuzzSupport.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

const std::string Fffd = "\xEF\xBF\xBD";

// Input ends at byte 26, lines end at LF, every CR is dropped (the one before LF ends the line with it), and
// what follows the last LF is a line when it holds any byte at all.
std::vector<std::string> ExpectedLines(std::string_view input) {
    input = input.substr(0, input.find('\x1a'));
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (char c : input) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            continue;
        }
        open = true;
        if (c != '\r')
            line += c;
    }
    if (open)
        lines.push_back(line);
    return lines;
}

struct TExpected {
    std::vector<std::string> Lines;
    std::size_t Damaged = 0;
};

std::size_t LinesWithReplacements(const std::vector<std::string>& lines) {
    std::size_t damaged = 0;
    for (const auto& line : lines)
        damaged += line.find(Fffd) != std::string::npos;
    return damaged;
}

// UTF-16 a unit at a time: a pair of surrogates is one character, any other surrogate and an odd last byte
// are U+FFFD.
std::string PlainUtf16(std::string_view bytes, bool bigEndian) {
    std::string text;
    const auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<std::uint8_t>(bytes[i]), b = static_cast<std::uint8_t>(bytes[i + 1]);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            Utf8::Append(0x10000 + ((u - 0xD800) << 10) + (unit(i + 2) - 0xDC00), text);
            i += 2;
        } else {
            Utf8::Append(u >= 0xD800 && u <= 0xDFFF ? Utf8::Replacement : u, text);
        }
    }
    if (i < bytes.size())
        text += Fffd;
    return text;
}

std::string PlainCodePage(std::string_view line, int page) {
    const TCodePage& table = TCodePage::Get(page);
    std::string text;
    for (char byte : line) {
        const char32_t c = table.Unicode[static_cast<std::uint8_t>(byte)];
        const bool undefined = (c >= 0x80 && c <= 0x9F) || (c >= 0xE000 && c <= 0xF8FF);
        Utf8::Append(undefined ? Utf8::Replacement : c, text);
    }
    return text;
}

// Text with more well-formed multi-byte characters than malformed bytes is UTF-8.
bool LooksLikeUtf8(std::string_view text) {
    std::size_t sequences = 0, malformed = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t at = i;
        const char32_t c = Utf8::Next(text, i);
        sequences += i - at > 1;
        malformed += c == Utf8::Replacement && i - at == 1;
    }
    return malformed == 0 || sequences > malformed;
}

// What an import without a choice gives: a mark decides, else the bytes between UTF-8 and Windows-1252.
TExpected ExpectedImport(std::string_view input) {
    TExpected expected;
    if (input.starts_with("\xFF\xFE") || input.starts_with("\xFE\xFF")) {
        expected.Lines = ExpectedLines(PlainUtf16(input.substr(2), input[0] == '\xFE'));
        expected.Damaged = LinesWithReplacements(expected.Lines);
        return expected;
    }
    const bool marked = input.starts_with("\xEF\xBB\xBF");
    if (marked)
        input.remove_prefix(3);
    const bool utf8 = marked || LooksLikeUtf8(input);
    for (const std::string& line : ExpectedLines(input)) {
        if (utf8 && Utf8::IsValid(line)) {
            expected.Lines.push_back(line);
            continue;
        }
        std::string text;
        if (utf8)
            for (std::size_t i = 0; i < line.size();)
                Utf8::Append(Utf8::Next(line, i), text);
        else
            text = PlainCodePage(line, 1252);
        expected.Damaged += text.find(Fffd) != std::string::npos;
        expected.Lines.push_back(std::move(text));
    }
    return expected;
}

std::vector<std::string> ParsedInChunks(std::string_view input, std::size_t chunk) {
    TKeyItems list;
    TKeywordTextParser parser(list);
    for (std::size_t at = 0; at < input.size(); at += chunk)
        if (!parser.Feed(input.substr(at, chunk)))
            break;
    parser.Finish();
    return Texts(list);
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const TempFolder Scratch;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> plainLines = ExpectedLines(input);
    for (const std::size_t chunk : {size + 1, std::size_t{1}, std::size_t{2}, std::size_t{7}})
        Require(ParsedInChunks(input, chunk) == plainLines,
                "lines read in chunks of " + std::to_string(chunk));

    const std::string in = (Scratch / "in.txt").string();
    const std::string out = (Scratch / "out.txt").string();
    WriteBytes(in, input);
    TKeyItems list;
    const TImportResult result = ReadKeywordFile(in, list);
    const TExpected expected = ExpectedImport(input);
    Require(Texts(list) == expected.Lines, "lines read from the file");
    Require(result.DamagedLines == expected.Damaged, "damaged lines counted");

    list.AllToTextFile(out);
    std::string written =
        !expected.Lines.empty() && expected.Lines[0].starts_with("\xEF\xBB\xBF") ? "\xEF\xBB\xBF" : "";
    for (const auto& line : expected.Lines)
        written.append(line).append("\r\n");
    Require(FileBytes(out) == written, "file written");
    for (const TTextEncoding encoding : {TTextEncoding{TEncoding::Utf8}, TTextEncoding{TEncoding::Utf16LE},
                                         TTextEncoding{TEncoding::CodePage, 1251}}) {
        WriteBytes(out, "old");
        try {
            list.AllToTextFile(out, encoding);
        } catch (const EEncodingError&) {
            Require(encoding.Kind == TEncoding::CodePage, "only a code page refuses a character");
            Require(FileBytes(out) == "old", "a refused export leaves the file");
            continue;
        }
        TKeyItems again;
        ReadKeywordFile(out, again, DefaultMemoryBudget, {encoding, 1251});
        Require(Texts(again) == expected.Lines, "written file read back as " + EncodingName(encoding));
    }
    return 0;
}
