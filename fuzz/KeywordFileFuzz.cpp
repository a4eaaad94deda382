// The keyword text-file reader on any bytes, in one piece, in chunks and from a file, checked against the
// format read the plainest way; and the writer, whose file must read back to the same entries.
#include "FuzzSupport.h"
#include "KeywordFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>

namespace {

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
    const std::vector<std::string> expected = ExpectedLines(input);
    for (const std::size_t chunk : {size + 1, std::size_t{1}, std::size_t{2}, std::size_t{7}})
        Require(ParsedInChunks(input, chunk) == expected, "lines read in chunks of " + std::to_string(chunk));

    const std::string in = (Scratch / "in.txt").string();
    const std::string out = (Scratch / "out.txt").string();
    WriteBytes(in, input);
    TKeyItems list;
    ReadKeywordFile(in, list);
    Require(Texts(list) == expected, "lines read from the file");

    list.AllToTextFile(out);
    std::string written;
    for (const auto& line : expected)
        written.append(line).append("\r\n");
    Require(FileBytes(out) == written, "file written");
    TKeyItems again;
    ReadKeywordFile(out, again);
    Require(Texts(again) == expected, "written file read back");
    return 0;
}
