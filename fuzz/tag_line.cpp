// Fuzzes the reading of a tag from a line: any bytes and any title column; a tag found always
// names a path that starts with '/' inside the line, within the path limits, and a line from
// 1 to 99999.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "commands/tag_line.h"

namespace {

// A broken promise: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte is the title column, signed so that odd settings are covered too.
    const int titleViewLength = static_cast<std::int8_t>(data[0]);
    const std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);

    // A file system of its own, so that both answers of the existence test are reached.
    const auto exists = [](std::string_view path) { return path.size() % 2 == 0; };
    const std::optional<nelvix::TagLocation> tag = nelvix::ReadTag(line, titleViewLength, exists);
    if (!tag)
        return 0;
    const std::string_view path = tag->sjisPath;
    Check(path.size() >= nelvix::kMinTagPathBytes && path.size() <= nelvix::kMaxTagPathBytes);
    Check(path.front() == '/');
    Check(line.find(path) != std::string_view::npos);
    Check(tag->line >= 1 && tag->line <= 99999);
    return 0;
}
