#pragma once

#include <cstdint>
#include <string>

struct TVersion {
    std::int32_t Major = 0;
    std::int32_t Minor = 0;
    std::int32_t Release = 0;
};

// "major.minor" or "major.minor.release" in decimal; "major.minor" means release 0. Raises Exception for a
// text without a full stop ("Wrong version string ") or a part that isn't a whole number.
TVersion ParseVersion(const std::string& text);
// True when other is a later version than own.
bool IsNewerVersion(const std::string& own, const std::string& other);
