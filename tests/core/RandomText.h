#pragma once

#include "core/Utf8.h"

#include <random>
#include <string>
#include <string_view>
#include <vector>

// Random texts over a small alphabet of characters (UTF-8), so that terms, repeats and separators
// actually meet.
class TRandomText {
public:
    explicit TRandomText(std::uint32_t seed) : rng_(seed) {}

    // Up to maxLength characters of the alphabet.
    std::string Text(std::string_view alphabet, std::size_t maxLength) {
        std::vector<std::string_view> chars;
        for (std::size_t i = 0; i < alphabet.size();) {
            const std::size_t start = i;
            Utf8::Next(alphabet, i);
            chars.push_back(alphabet.substr(start, i - start));
        }
        std::string text;
        for (std::size_t n = Below(maxLength + 1); n > 0; --n)
            text += chars[Below(chars.size())];
        return text;
    }

    // Any byte 0..255.
    std::string Bytes(std::size_t maxLength) {
        std::string text(Below(maxLength + 1), ' ');
        for (auto& c : text)
            c = static_cast<char>(Below(256));
        return text;
    }

    std::vector<std::string> Texts(std::string_view alphabet, std::size_t count, std::size_t maxLength) {
        std::vector<std::string> texts;
        for (std::size_t i = 0; i < count; ++i)
            texts.push_back(Text(alphabet, maxLength));
        return texts;
    }

    std::size_t Below(std::size_t bound) {
        return std::uniform_int_distribution<std::size_t>(0, bound - 1)(rng_);
    }

private:
    std::mt19937 rng_;
};
