// Memory from the C library.
#include <cstdlib>

#include "ui/platform.h"

namespace nelvix::ui {

void* SystemMemory::Allocate(std::size_t bytes) {
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void* SystemMemory::Reallocate(void* block, std::size_t bytes) {
    return std::realloc(block, bytes == 0 ? 1 : bytes);
}

} // namespace nelvix::ui
