// An owned block of bytes from the platform's memory, released with std::free.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

#include "base/sjis.h"

namespace nelvix {

struct FreeDeleter {
    void operator()(void* block) const noexcept { std::free(block); }
};

/// A converted text or a file read whole: `size` bytes at `data`, which may be larger.
struct ByteBlock {
    std::unique_ptr<Byte, FreeDeleter> data;
    std::size_t size = 0;

    const Byte* begin() const { return data.get(); }
    const Byte* end() const { return data.get() + size; }
};

} // namespace nelvix
