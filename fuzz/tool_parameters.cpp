// Fuzzes the expansion of a tool's parameter template over any bytes, line and column: the
// result never holds more than 256 bytes and never ends inside a double-byte character; its
// arguments never hold more bytes than it.
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "base/sjis.h"
#include "fuzz_check.h"
#include "tools/tool_arguments.h"
#include "tools/tool_parameters.h"

namespace {

using nelvix::fuzz::Check;

/// Header bytes: path choice, line (2), column (1), weekday and hour.
constexpr std::size_t kHeaderBytes = 5;

// "/文書/表 a.txt" in Shift-JIS.
constexpr char kJapanesePath[] = "/\x95\xB6\x8F\x91/\x95\x5C a.txt";

bool EndsOnCharacterBoundary(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size())
        at += nelvix::IsLeadByte(static_cast<nelvix::Byte>(text[at])) ? 2 : 1;
    return at == text.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes)
        return 0;
    std::optional<std::string_view> path;
    if (data[0] % 3 == 1)
        path = kJapanesePath;
    else if (data[0] % 3 == 2)
        path = std::string_view("/doc/a.txt");
    const auto line = static_cast<std::uint32_t>(data[1] << 8 | data[2]) * 3u;
    const int column = static_cast<std::int8_t>(data[3]) * 1000;
    std::tm now{};
    now.tm_year = 2024 - 1900;
    now.tm_mday = 1 + data[4] % 28;
    now.tm_wday = data[4] % 7;
    now.tm_hour = data[4] % 24;
    const std::string_view templateText(reinterpret_cast<const char*>(data + kHeaderBytes),
                                        size - kHeaderBytes);

    const std::string expanded =
        nelvix::ExpandParameters(templateText, path, line, column, [&now] { return now; });
    Check(expanded.size() <= nelvix::kToolParametersMaxBytes);
    Check(EndsOnCharacterBoundary(expanded));

    std::size_t argumentBytes = 0;
    for (const std::string& argument : nelvix::SplitToolArguments(expanded))
        argumentBytes += argument.size();
    Check(argumentBytes <= expanded.size());
    return 0;
}
