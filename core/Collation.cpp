#include "core/Collation.h"

#include "core/CaseFolding.h"
#include "core/Exceptions.h"
#include "core/TextLocale.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <unicode/ucol.h>
#include <unicode/ulocdata.h>
#include <unicode/uset.h>

namespace {

constexpr char32_t BmpEnd = 0x10000;
// One-byte primaries and the lead bytes of three-byte ones share 2..0xFD; 0xFE leads the characters beyond
// the Basic Multilingual Plane, which are not ranked and follow all others in code point order.
constexpr std::uint8_t FirstCode = 2;
constexpr std::uint8_t LastCode = 0xFD;
constexpr std::uint8_t BeyondBmp = 0xFE;

struct TCollatorClose {
    void operator()(UCollator* collator) const { ucol_close(collator); }
};
using TCollator = std::unique_ptr<UCollator, TCollatorClose>;

TCollator OpenCollator(const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    TCollator collator(ucol_open(locale.c_str(), &status));
    if (U_FAILURE(status))
        throw Exception(std::string("Cannot open the collation of the locale: ") + u_errorName(status));
    return collator;
}

std::string SortKeyOf(const UCollator* collator, char32_t c) {
    const UChar unit = static_cast<UChar>(c);
    std::uint8_t key[64];
    const int32_t length = ucol_getSortKey(collator, &unit, 1, key, sizeof key);
    return std::string(reinterpret_cast<const char*>(key), static_cast<std::size_t>(std::max(length - 1, 0)));
}

// The folded characters of the plane with their primary keys; an empty key marks a character without a
// primary weight. ASCII control characters get one of their own, first and in code point order, so that
// every ASCII text keeps one weight per byte.
std::vector<std::pair<std::string, char32_t>> PrimaryKeys(UCollator* collator) {
    ucol_setStrength(collator, UCOL_PRIMARY);
    std::vector<std::pair<std::string, char32_t>> keys;
    for (char32_t c = 0; c < BmpEnd; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || FoldChar(c) != c)
            continue;
        std::string key = SortKeyOf(collator, c);
        if (c < 0x80 && key.empty())
            key = std::string{'\x01', static_cast<char>(c)};
        keys.emplace_back(std::move(key), c);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// Characters that should weigh one byte where room allows, the most wanted first: ASCII, the letters of
// the locale, then the basic Cyrillic, Greek and Latin-1 letters that multilingual keyword lists mix in.
std::vector<char32_t> WantedOneByte(const std::string& locale) {
    std::vector<char32_t> wanted;
    for (char32_t c = 0; c < 0x80; ++c)
        wanted.push_back(c);
    UErrorCode status = U_ZERO_ERROR;
    ULocaleData* data = ulocdata_open(locale.c_str(), &status);
    USet* letters = uset_openEmpty();
    if (U_SUCCESS(status))
        ulocdata_getExemplarSet(data, letters, USET_CASE_INSENSITIVE, ULOCDATA_ES_STANDARD, &status);
    for (int32_t i = 0; U_SUCCESS(status) && i < uset_getItemCount(letters); ++i) {
        UChar32 start = 0;
        UChar32 end = 0;
        UErrorCode itemStatus = U_ZERO_ERROR;
        if (uset_getItem(letters, i, &start, &end, nullptr, 0, &itemStatus) == 0)
            for (UChar32 c = start; c <= end && c < static_cast<UChar32>(BmpEnd); ++c)
                wanted.push_back(static_cast<char32_t>(c));
    }
    uset_close(letters);
    if (data)
        ulocdata_close(data);
    for (char32_t c = 0x430; c <= 0x44F; ++c)
        wanted.push_back(c);
    for (char32_t c = 0x3B1; c <= 0x3C9; ++c)
        wanted.push_back(c);
    for (char32_t c = 0xDF; c <= 0xFF; ++c)
        wanted.push_back(c);
    return wanted;
}

// Which ranks get one byte: each adds itself and splits the run of other ranks around it, which needs a
// lead byte of its own on either side, and all of it must fit in the bytes there are.
std::vector<bool> OneByteRanks(std::size_t ranks, const std::vector<int>& wantedRanks) {
    std::vector<bool> oneByte(ranks, false);
    std::set<int> chosen;
    std::size_t codes = ranks > 0 ? 1 : 0; // one run of other ranks spans everything at first
    const std::size_t room = LastCode - FirstCode + 1;
    for (const int r : wantedRanks) {
        if (r < 0 || oneByte[static_cast<std::size_t>(r)])
            continue;
        const auto next = chosen.upper_bound(r);
        const int before = next == chosen.begin() ? -1 : *std::prev(next);
        const int after = next == chosen.end() ? static_cast<int>(ranks) : *next;
        // The run (before, after) of other ranks loses r: it may vanish, stay one run or split in two.
        const std::size_t runsBefore = after - before > 1 ? 1 : 0;
        const std::size_t runsAfter = (r - before > 1 ? 1 : 0) + (after - r > 1 ? 1 : 0);
        const std::size_t cost = codes + 1 + runsAfter - runsBefore;
        if (cost > room)
            continue;
        codes = cost;
        chosen.insert(r);
        oneByte[static_cast<std::size_t>(r)] = true;
    }
    return oneByte;
}

std::uint8_t InnerByte(std::size_t digit) {
    return static_cast<std::uint8_t>(1 + digit);
}

} // namespace

TCollation::TCollation(const std::string& locale) : primary_(BmpEnd), secondary_(BmpEnd, 2) {
    TCollator collator = OpenCollator(locale);
    const auto keys = PrimaryKeys(collator.get());

    // Ranks: characters with equal primary keys share one; those without a primary weight get none.
    std::vector<int> rankOf(BmpEnd, -1);
    std::vector<std::vector<char32_t>> members;
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k].first.empty())
            continue;
        if (members.empty() || keys[k].first != keys[k - 1].first)
            members.emplace_back();
        members.back().push_back(keys[k].second);
        rankOf[keys[k].second] = static_cast<int>(members.size() - 1);
    }

    std::vector<int> wantedRanks;
    for (const char32_t c : WantedOneByte(locale))
        wantedRanks.push_back(rankOf[FoldChar(c)]);
    const std::vector<bool> oneByte = OneByteRanks(members.size(), wantedRanks);

    std::uint8_t nextCode = FirstCode;
    std::size_t inRun = 0;
    std::uint8_t runLead = 0;
    for (std::size_t r = 0; r < members.size(); ++r) {
        TPrimary code;
        if (oneByte[r]) {
            code.Length = 1;
            code.Bytes[0] = nextCode++;
            inRun = 0;
        } else {
            if (inRun == 0)
                runLead = nextCode++;
            code.Length = 3;
            code.Bytes = {runLead, InnerByte(inRun / 255), InnerByte(inRun % 255)};
            ++inRun;
        }
        for (const char32_t c : members[r])
            primary_[c] = code;
    }

    // Secondary weights: the place of a character's accent among those of its primary group.
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    std::vector<char32_t> ignorable;
    for (const auto& [key, c] : keys)
        if (key.empty())
            ignorable.push_back(c);
    members.push_back(std::move(ignorable));
    for (const auto& group : members) {
        std::vector<std::pair<std::string, char32_t>> accents;
        for (const char32_t c : group)
            accents.emplace_back(SortKeyOf(collator.get(), c), c);
        std::sort(accents.begin(), accents.end());
        std::size_t place = 0;
        for (std::size_t k = 0; k < accents.size(); ++k) {
            if (k > 0 && accents[k].first != accents[k - 1].first)
                ++place;
            secondary_[accents[k].second] = static_cast<std::uint8_t>(2 + std::min<std::size_t>(place, 253));
        }
    }

    for (char32_t c = 0; c < 0x80; ++c) {
        const char32_t folded = FoldChar(c);
        asciiPrimary_[c] = folded < 0x80 ? primary_[folded].Bytes[0] : 0;
        asciiSecondary_[c] = Secondary(folded);
    }
    short_.resize(ShortEnd);
    for (char32_t c = 0; c < ShortEnd; ++c) {
        const char32_t folded = FoldChar(c);
        if (folded >= ShortEnd)
            continue;
        TShortChar& entry = short_[c];
        entry.Primary = primary_[folded];
        entry.Secondary = Secondary(folded);
        char bytes[4];
        entry.FoldedLength = static_cast<std::uint8_t>(Utf8::Write(folded, bytes));
        std::memcpy(entry.Folded.data(), bytes, entry.FoldedLength);
    }
    onePrimary_.resize(ShortEnd);
    for (char32_t c = 0; c < ShortEnd; ++c)
        if (short_[c].FoldedLength != 0 && short_[c].Primary.Length == 1)
            onePrimary_[c] = short_[c].Primary.Bytes[0];
}

const TCollation& TCollation::Current() {
    static std::mutex guard;
    static std::map<std::string, std::unique_ptr<TCollation>> made;
    const std::lock_guard lock(guard);
    auto& collation = made[TextLocale()];
    if (!collation)
        collation = std::make_unique<TCollation>(TextLocale());
    return *collation;
}

std::uint8_t* TCollation::WritePrimary(char32_t folded, std::uint8_t* out) const {
    if (folded >= BmpEnd) {
        const std::size_t c = folded;
        *out++ = BeyondBmp;
        *out++ = InnerByte(c / (255 * 255));
        *out++ = InnerByte(c / 255 % 255);
        *out++ = InnerByte(c % 255);
        return out;
    }
    const TPrimary& code = primary_[folded];
    std::memcpy(out, code.Bytes.data(), code.Bytes.size());
    return out + code.Length;
}

void TCollation::AppendKey(std::string_view text, std::string& out, std::size_t limit) const {
    const std::size_t start = out.size();
    out.resize(start + KeyRoom(text));
    const std::size_t length = WriteKey(text, reinterpret_cast<std::uint8_t*>(out.data() + start), limit);
    out.resize(start + length);
}

std::size_t TCollation::WriteKey(std::string_view text, std::uint8_t* out, std::size_t limit) const {
    std::uint8_t* write = out;
    const auto going = [&] { return static_cast<std::size_t>(write - out) < limit; };
    // Hands each character of the text, folded, to shortChar as its table entry or to other as itself.
    // Many keys are wanted only as far as their first bytes: the rest is not even decoded.
    const auto eachChar = [&](auto&& shortChar, auto&& other) {
        for (std::size_t i = 0; i < text.size() && going();) {
            std::size_t next = i;
            const char32_t c = NextShort(text, next);
            if (c < ShortEnd && short_[c].FoldedLength != 0) {
                shortChar(short_[c]);
                i = next;
            } else {
                other(FoldChar(Utf8::Next(text, i)));
            }
        }
    };
    eachChar(
        [&](const TShortChar& entry) {
            std::memcpy(write, entry.Primary.Bytes.data(), entry.Primary.Bytes.size());
            write += entry.Primary.Length;
        },
        [&](char32_t folded) { write = WritePrimary(folded, write); });
    if (going()) {
        *write++ = LevelSeparator;
        eachChar([&](const TShortChar& entry) { *write++ = entry.Secondary; },
                 [&](char32_t folded) { *write++ = Secondary(folded); });
        if (going())
            *write++ = LevelSeparator;
    }
    if (going()) {
        const auto raised = [&](const std::uint8_t* bytes, std::size_t length) {
            for (std::size_t k = 0; k < length; ++k)
                *write++ = static_cast<std::uint8_t>(bytes[k] + 1);
        };
        eachChar([&](const TShortChar& entry) { raised(entry.Folded.data(), entry.FoldedLength); },
                 [&](char32_t folded) {
                     char bytes[4];
                     raised(reinterpret_cast<const std::uint8_t*>(bytes), Utf8::Write(folded, bytes));
                 });
    }
    return static_cast<std::size_t>(write - out);
}

bool TCollation::ShortKeyTail(const std::uint16_t* chars, std::size_t n, std::size_t from, std::uint8_t* out,
                              std::size_t count) const {
    if (n > KeptChars)
        return false;
    const std::size_t end = from + count;
    std::size_t at = n;
    const auto put = [&](std::uint8_t b) {
        if (at >= from && at < end)
            out[at - from] = b;
        ++at;
    };
    put(LevelSeparator);
    for (std::size_t k = 0; k < n && at < end; ++k)
        put(short_[chars[k]].Secondary);
    put(LevelSeparator);
    for (std::size_t k = 0; k < n && at < end; ++k) {
        const TShortChar& entry = short_[chars[k]];
        for (std::size_t b = 0; b < entry.FoldedLength; ++b)
            put(static_cast<std::uint8_t>(entry.Folded[b] + 1));
    }
    while (at < end)
        put(0);
    return true;
}

void TCollation::AnyKeyBytes(std::string_view text, std::size_t from, std::uint8_t* out,
                             std::size_t count) const {
    // Grown, never cleared: the sort asks for windows of millions of keys.
    thread_local std::vector<std::uint8_t> key;
    if (key.size() < KeyRoom(text))
        key.resize(KeyRoom(text));
    const std::size_t length = WriteKey(text, key.data(), from + count);
    for (std::size_t k = 0; k < count; ++k)
        out[k] = from + k < length ? key[from + k] : 0;
}

int TCollation::Compare(std::string_view a, std::string_view b) const {
    std::string keyA;
    std::string keyB;
    AppendKey(a, keyA);
    AppendKey(b, keyB);
    const int order = keyA.compare(keyB);
    return (order > 0) - (order < 0);
}

int CompareText(std::string_view a, std::string_view b) {
    return TCollation::Current().Compare(a, b);
}
