#pragma once

#include "tests/core/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

// A broken invariant is a finding: say which, and crash so that libFuzzer keeps the input.
[[noreturn]] inline void Broken(std::string_view what) {
    std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
    std::abort();
}

inline void Require(bool condition, std::string_view what) {
    if (!condition)
        Broken(what);
}
