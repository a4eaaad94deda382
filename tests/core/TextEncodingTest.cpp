// Keyword files in every encoding, checked against the system's iconv: what we write must be its bytes, and
// what it writes must read back as the entries it was made from.
#include "core/KeywordFile.h"

#include "core/KeyItems.h"
#include "core/TextEncoding.h"
#include "core/Utf8.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <iconv.h>
#include <optional>
#include <random>

namespace {

using Strings = std::vector<std::string>;

const std::string Fffd = "\xEF\xBF\xBD";

// The text in the encoding named as iconv names it, or nothing when it cannot hold every character.
std::optional<std::string> Iconv(std::string_view text, const char* from, const char* to) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv has no ") + to);
    std::string out(text.size() * 4 + 8, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &at, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

std::string IconvName(TTextEncoding encoding) {
    switch (encoding.Kind) {
    case TEncoding::Utf16LE:
        return "UTF-16LE";
    case TEncoding::Utf16BE:
        return "UTF-16BE";
    case TEncoding::CodePage:
        return "CP" + std::to_string(encoding.CodePage);
    default:
        return "UTF-8";
    }
}

std::string Lines(const Strings& entries) {
    std::string text;
    for (const auto& entry : entries)
        text.append(entry).append("\r\n");
    return text;
}

std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct TRead {
    Strings Entries;
    TImportResult Result;
};

TRead Read(const std::filesystem::path& path, TImportChoice choice = {}) {
    TKeyItems list;
    const TImportResult result = ReadKeywordFile(path.string(), list, DefaultMemoryBudget, choice);
    return {Texts(list), result};
}

const std::vector<Strings> Samples = {
    {"Grüße aus Köln", "crème brûlée", "ÉCOLE", "Łódź żółć", "ürün İstanbul"},
    {"купить обувь", "Ёлка Adidas", "Москва"},
    {"σοφία", "ΣΟΦΊΑ"},
    {"שלום", "shalom שלום"},
    {"😀 smile", "a😀b"},
    {std::string("nul\0inside", 10), "", " blank "},
};

TEST(TextEncoding, EveryExportEncodingWritesWhatIconvWritesOrRefusesAndKeepsTheOldFile) {
    TempFolder folder;
    const auto path = folder / "out.txt";
    int written = 0, refused = 0;
    for (const Strings& sample : Samples) {
        TKeyItems list;
        for (const auto& text : sample)
            list.AddKeyword(text);
        for (const TTextEncoding encoding : ExportEncodings()) {
            WriteFile(path, "old\r\n");
            const auto expected = Iconv(Lines(sample), "UTF-8", IconvName(encoding).c_str());
            SCOPED_TRACE(EncodingName(encoding) + " " + sample[0]);
            if (!expected) {
                EXPECT_THROW(list.AllToTextFile(path.string(), encoding), EEncodingError);
                EXPECT_EQ(FileBytes(path), "old\r\n");
                EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
                ++refused;
                continue;
            }
            list.AllToTextFile(path.string(), encoding);
            EXPECT_EQ(FileBytes(path), std::string(ByteOrderMarkOf(encoding)) + *expected);
            const int page = encoding.Kind == TEncoding::CodePage ? encoding.CodePage : 1252;
            const TRead back = Read(path, {{TEncoding::Automatic}, page});
            EXPECT_EQ(back.Entries, sample);
            EXPECT_EQ(back.Result.DamagedLines, 0u);
            ++written;
        }
    }
    // Each sample fits some code page and misses others.
    EXPECT_GT(written, 20);
    EXPECT_GT(refused, 20);
}

TEST(TextEncoding, EveryImportEncodingReadsIconvsBytes) {
    TempFolder folder;
    const auto path = folder / "in.txt";
    for (const Strings& sample : Samples) {
        for (const TTextEncoding encoding : ImportEncodings()) {
            if (encoding.Kind == TEncoding::Automatic)
                continue;
            const auto bytes = Iconv(Lines(sample), "UTF-8", IconvName(encoding).c_str());
            if (!bytes)
                continue;
            SCOPED_TRACE(EncodingName(encoding) + " " + sample[0]);
            WriteFile(path, *bytes);
            TRead told = Read(path, {encoding});
            EXPECT_EQ(told.Entries, sample);
            EXPECT_EQ(told.Result.DamagedLines, 0u);
            // Unasked, UTF-16 is known by its mark and a code page by the user's language.
            const bool wide = encoding.Kind == TEncoding::Utf16LE || encoding.Kind == TEncoding::Utf16BE;
            const std::string mark = wide ? *Iconv("\xEF\xBB\xBF", "UTF-8", IconvName(encoding).c_str()) : "";
            WriteFile(path, mark + *bytes);
            const int page = encoding.Kind == TEncoding::CodePage ? encoding.CodePage : 1252;
            const TRead guessed = Read(path, {{TEncoding::Automatic}, page});
            EXPECT_EQ(guessed.Entries, sample);
            EXPECT_EQ(guessed.Result.Encoding.Kind,
                      encoding.Kind == TEncoding::CodePage && Utf8::IsAscii(*bytes) ? TEncoding::Utf8
                                                                                    : encoding.Kind);
        }
    }
}

TEST(TextEncoding, EveryCodePageByteDecodesAsIconvDecodesIt) {
    for (int page = 1250; page <= 1258; ++page) {
        const TCodePageDecoder decoder(page);
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            std::string ours;
            decoder.Decode(byte, ours);
            const auto theirs = Iconv(byte, ("CP" + std::to_string(page)).c_str(), "UTF-8");
            // iconv's Vietnamese and Hebrew converters hold back a base letter to combine it; an undefined
            // byte is an error there and U+FFFD here.
            if (!theirs || theirs->empty())
                EXPECT_TRUE(ours == Fffd || page == 1255 || page == 1258) << page << " " << b;
            else
                EXPECT_EQ(ours, *theirs) << page << " " << b;
        }
    }
}

TEST(TextEncoding, ListsOfThePreviousVersionReadThroughTheLegacyPath) {
    TempFolder folder;
    const auto path = folder / "old.txt";
    WriteFile(path, "caf\xE9 au lait\r\nM\xFCller schuhe\r\n");
    TRead western = Read(path, {{TEncoding::Automatic}, 1252});
    EXPECT_EQ(western.Entries, (Strings{"café au lait", "Müller schuhe"}));
    EXPECT_EQ(western.Result.Encoding, (TTextEncoding{TEncoding::CodePage, 1252}));
    EXPECT_EQ(western.Result.DamagedLines, 0u);
    WriteFile(path, "\xCA\xF3\xEF\xE8\xF2\xFC \xEE\xE1\xF3\xE2\xFC\r\n");
    EXPECT_EQ(Read(path, {{TEncoding::Automatic}, 1251}).Entries, Strings{"Купить обувь"});
    // Chosen by the user, a code page is read as such even where its bytes look like a mark.
    WriteFile(path, "\xFF\xFE\xEB\xE8\xEA\r\n");
    EXPECT_EQ(Read(path, {{TEncoding::CodePage, 1251}}).Entries, Strings{"яюлик"});
    // A byte the code page leaves undefined is damage, not a silent loss.
    WriteFile(path, "ok\r\na\x81z\r\n");
    TRead undefined = Read(path, {{TEncoding::CodePage, 1252}});
    EXPECT_EQ(undefined.Entries, (Strings{"ok", "a" + Fffd + "z"}));
    EXPECT_EQ(undefined.Result.DamagedLines, 1u);
}

TEST(TextEncoding, BadInputIsReadWithTheDamageCounted) {
    struct TCase {
        const char* Name;
        std::string Bytes;
        TTextEncoding Encoding;
        Strings Entries;
        std::size_t Damaged;
    };
    const TTextEncoding automatic{TEncoding::Automatic};
    const TTextEncoding utf8{TEncoding::Utf8};
    const std::vector<TCase> cases = {
        {"invalid byte",
         "Grüße\nab\xFF"
         "c\nok\n",
         automatic,
         {"Grüße", "ab" + Fffd + "c", "ok"},
         1},
        {"overlong", "\xC0\xAF/\xE0\x80\xAF\n", utf8, {Fffd + Fffd + "/" + Fffd + Fffd + Fffd}, 1},
        {"encoded surrogate", "a\xED\xA0\x80z\nb\n", utf8, {"a" + Fffd + Fffd + Fffd + "z", "b"}, 1},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80\n", utf8, {Fffd + Fffd + Fffd + Fffd}, 1},
        {"truncated at the end", "ok\n\xE2\x82", utf8, {"ok", Fffd + Fffd}, 1},
        {"switches encoding half-way",
         "Grüße\nMüller\nStraße\ncaf\xE9\n",
         automatic,
         {"Grüße", "Müller", "Straße", "caf" + Fffd},
         1},
        {"UTF-8 mark alone", "\xEF\xBB\xBF", automatic, {}, 0},
        {"UTF-16 mark alone", "\xFF\xFE", automatic, {}, 0},
        {"UTF-8 mark", "\xEF\xBB\xBFword\r\n", automatic, {"word"}, 0},
        {"lone high surrogate",
         std::string("\xFF\xFE\x00\xD8"
                     "a\0\n\0",
                     8),
         automatic,
         {Fffd + "a"},
         1},
        {"lone low surrogate",
         std::string("\xFE\xFF\xDC\x00\x00"
                     "b",
                     6),
         automatic,
         {Fffd + "b"},
         1},
        {"surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), automatic, {"😀"}, 0},
        {"odd byte count",
         std::string("\xFF\xFE"
                     "a\0\n\0b",
                     7),
         automatic,
         {"a", Fffd},
         1},
        {"UTF-16 line rules",
         std::string("\xFF\xFE"
                     "a\0\r\0\n\0b\0\r\0c\0\n\0\x1a\0z\0",
                     20),
         automatic,
         {"a", "bc"},
         0},
        {"NUL bytes",
         std::string("a\0b\n\0\n", 6),
         automatic,
         {std::string("a\0b", 3), std::string(1, '\0')},
         0},
    };
    TempFolder folder;
    const auto path = folder / "bad.txt";
    for (const TCase& c : cases) {
        WriteFile(path, c.Bytes);
        const TRead read = Read(path, {c.Encoding, 1252});
        EXPECT_EQ(read.Entries, c.Entries) << c.Name;
        EXPECT_EQ(read.Result.DamagedLines, c.Damaged) << c.Name;
    }
}

// The check sees what Utf8::Next sees, however the bytes are cut into chunks.
TEST(TextEncoding, CheckAgreesWithTheDecoderOnRandomBytesInAnyChunks) {
    std::mt19937 rng(14);
    const std::string pieces[] = {"a",        "é",        "ж",
                                  "€",        "😀",        "\x80",
                                  "\xC0",     "\xE2\x82", "\xED\xA0\x80",
                                  "\xF4\x90", "\xFF",     "\xF0\x9F\x98",
                                  "\xC3",     "\n"};
    // Long stretches of one- and two-byte characters, which are checked sixteen bytes at a time, and of
    // ASCII, sixty-four at a time, now and then broken by anything else.
    for (int round = 0; round < 4000; ++round) {
        std::string text;
        const std::size_t kinds = round % 2 ? 3 : std::size(pieces);
        for (int n = static_cast<int>(rng() % 60); n > 0; --n)
            text += rng() % 16 ? pieces[rng() % (rng() % 8 ? kinds : std::size(pieces))]
                               : std::string(rng() % 150, 'a');
        std::size_t replaced = 0, sequences = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t at = i;
            const bool replacement = Utf8::Next(text, i) == Utf8::Replacement;
            replaced += replacement && i - at == 1;
            sequences += i - at > 1;
        }
        TUtf8Check check;
        const std::size_t cut = text.empty() ? 0 : rng() % text.size();
        check.Feed(std::string_view(text).substr(0, cut));
        check.Feed(std::string_view(text).substr(cut));
        check.Finish();
        EXPECT_EQ(check.Valid(), Utf8::IsValid(text)) << testing::PrintToString(text);
        EXPECT_EQ(check.MalformedBytes(), replaced) << testing::PrintToString(text);
        EXPECT_EQ(check.Sequences(), sequences) << testing::PrintToString(text);
        EXPECT_EQ(check.HighBytes(), static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
                                                                            [](char c) { return c & 0x80; })))
            << testing::PrintToString(text);
        EXPECT_EQ(RepairedUtf8(text).size(), text.size() + 2 * replaced);
    }
}

// Long files are read in two halves on two threads; damage in either half is counted once.
TEST(TextEncoding, LongFilesInHalvesCountDamageAndDecodeCodePages) {
    TempFolder folder;
    const auto path = folder / "long.txt";
    std::string utf8, cyrillic;
    Strings expected;
    std::size_t damaged = 0;
    for (int i = 0; utf8.size() < 6'000'000; ++i) {
        const std::string line = "фраза " + std::to_string(i) + " Müller";
        if (i % 50'000 == 7) {
            utf8 += line + "\xFF\r\n";
            expected.push_back(line + Fffd);
            ++damaged;
        } else {
            utf8 += line + "\r\n";
            expected.push_back(line);
        }
    }
    WriteFile(path, utf8);
    const TRead read = Read(path);
    EXPECT_EQ(read.Result.DamagedLines, damaged);
    EXPECT_TRUE(read.Entries == expected);

    Strings russian;
    for (int i = 0; cyrillic.size() < 6'000'000; ++i) {
        russian.push_back("купить обувь " + std::to_string(i));
        cyrillic += *Iconv(russian.back() + "\r\n", "UTF-8", "CP1251");
    }
    WriteFile(path, cyrillic);
    const TRead legacy = Read(path, {{TEncoding::Automatic}, 1251});
    EXPECT_EQ(legacy.Result.DamagedLines, 0u);
    EXPECT_TRUE(legacy.Entries == russian);

    // Lines of ten bytes in UTF-16: the read buffer's border falls inside a surrogate pair.
    Strings emoji(400'000, "😀x");
    WriteFile(path, "\xFF\xFE" + *Iconv(Lines(emoji), "UTF-8", "UTF-16LE"));
    const TRead wide = Read(path);
    EXPECT_EQ(wide.Result.DamagedLines, 0u);
    EXPECT_TRUE(wide.Entries == emoji);
}

TEST(TextEncoding, AFirstEntryStartingWithTheMarkCharacterKeepsIt) {
    TempFolder folder;
    const auto path = folder / "out.txt";
    TKeyItems list;
    Fill(list, {"\xEF\xBB\xBFword", "\xEF\xBB\xBFnext"});
    for (const TTextEncoding encoding :
         {TTextEncoding{TEncoding::Utf8}, TTextEncoding{TEncoding::Utf8WithMark}}) {
        list.AllToTextFile(path.string(), encoding);
        EXPECT_EQ(Read(path).Entries, Texts(list)) << EncodingName(encoding);
    }
}

TEST(TextEncoding, ARefusalNamesTheLineAndTheCharacter) {
    TempFolder folder;
    TKeyItems list;
    Fill(list, {"ok", "Купить"});
    try {
        list.AllToTextFile((folder / "out.txt").string(), {TEncoding::CodePage, 1252});
        ADD_FAILURE() << "no refusal";
    } catch (const EEncodingError& e) {
        EXPECT_EQ(e.Line, 2u);
        EXPECT_EQ(e.Character, U'К');
        EXPECT_NE(e.Message.find("U+041A"), std::string::npos) << e.Message;
        EXPECT_NE(e.Message.find("Windows-1252"), std::string::npos) << e.Message;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "out.txt"));
}

TEST(TextEncoding, SettingNamesReadBack) {
    std::vector<TTextEncoding> all = ImportEncodings();
    for (const auto e : ExportEncodings())
        all.push_back(e);
    for (const auto e : all)
        EXPECT_EQ(EncodingFromName(EncodingName(e)), e) << EncodingName(e);
    for (const char* bad : {"", "windows-1249", "windows-1259", "windows-12510", "UTF-8 ", "cp1252"})
        EXPECT_EQ(EncodingFromName(bad), std::nullopt) << bad;
}

} // namespace
