// Fuzzes the reading of a tag from a line: any bytes and any title column; a tag found always
// names a path that starts with '/' inside the line, within the path limits, and a line from
// 1 to 99999.
#include <optional>

#include "commands/tag_line.h"
#include "fuzz_check.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte is the title column, signed so that odd settings are covered too.
    const std::string_view line = nelvix::fuzz::Chars(data + 1, size - 1);
    // A file system of its own, so that both answers of the existence test are reached.
    const auto exists = [](std::string_view path) { return path.size() % 2 == 0; };
    const auto tag = nelvix::ReadTag(line, static_cast<std::int8_t>(data[0]), exists);
    if (!tag)
        return 0;
    const std::string_view path = tag->sjisPath;
    Check(path.size() >= nelvix::kMinTagPathBytes && path.size() <= nelvix::kMaxTagPathBytes);
    Check(path.front() == '/' && line.find(path) != std::string_view::npos);
    Check(tag->line >= 1 && tag->line <= 99999);
    return 0;
}
