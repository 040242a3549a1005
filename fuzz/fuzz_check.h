// What every fuzz target shares: the entry point's types, and a broken promise that aborts so
// that the fuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace nelvix::fuzz {

inline void Check(bool holds) {
    if (!holds)
        std::abort();
}

inline std::string_view Chars(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace nelvix::fuzz
