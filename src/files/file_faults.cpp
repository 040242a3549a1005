// Failures of the file layer made to order.
#include "files/file_faults.h"

#include <climits>
#include <unistd.h>

namespace nelvix {
namespace {

FileFaults* g_faults = nullptr;

} // namespace

FileFaults* SetFileFaults(FileFaults* faults) {
    FileFaults* previous = g_faults;
    g_faults = faults;
    return previous;
}

int InjectedFileError(FileStep step, const std::string& nativePath) {
    return g_faults == nullptr ? 0 : g_faults->ErrorFor(step, nativePath);
}

int InjectedFileError(FileStep step, int fd) {
    if (g_faults == nullptr)
        return 0;
    char name[PATH_MAX];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(link.c_str(), name, sizeof name);
    const std::size_t used = length > 0 ? static_cast<std::size_t>(length) : 0;
    return g_faults->ErrorFor(step, std::string_view(name, used));
}

} // namespace nelvix
