#include "ui/VersionText.h"

#include "core/CheckpointTrail.h"
#include "core/Exceptions.h"

#include <charconv>
#include <tuple>

namespace {

// An optional sign and decimal digits within 32 bits, nothing else.
std::int32_t WholeNumber(const std::string& text) {
    const char* begin = text.data() + (text.starts_with('+') ? 1 : 0);
    const char* end = text.data() + text.size();
    std::int32_t value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end || (begin != text.data() && *begin == '-'))
        throw Exception("'" + text + "' is not a valid integer value");
    return value;
}

} // namespace

TVersion ParseVersion(const std::string& text) {
    CheckpointScope scope("d143");
    const auto first = text.find('.');
    if (first == std::string::npos)
        throw Exception("Wrong version string " + text);
    SetCheckpoint("d144");
    TVersion version;
    version.Major = WholeNumber(text.substr(0, first));
    SetCheckpoint("d145");
    const std::string rest = text.substr(first + 1);
    const auto second = rest.find('.');
    if (second != std::string::npos) {
        SetCheckpoint("d147");
        version.Minor = WholeNumber(rest.substr(0, second));
        version.Release = WholeNumber(rest.substr(second + 1));
    } else {
        SetCheckpoint("d146");
        version.Minor = WholeNumber(rest);
    }
    return version;
}

bool IsNewerVersion(const std::string& own, const std::string& other) {
    CheckpointScope scope("d141");
    const TVersion mine = ParseVersion(own);
    SetCheckpoint("d142");
    const TVersion theirs = ParseVersion(other);
    return std::tie(theirs.Major, theirs.Minor, theirs.Release) >
           std::tie(mine.Major, mine.Minor, mine.Release);
}
