// Small helpers the fuzz targets share.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace quarten::fuzz {

// A property of the code under test failed: print what and stop, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s\n%.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void Check(bool holds, const char* what, std::string_view detail = {}) {
    if (!holds) Fail(what, detail);
}

}  // namespace quarten::fuzz
