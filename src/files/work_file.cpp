// The per-process work file name.
#include "files/work_file.h"

#include <charconv>

namespace nelvix {
namespace {

constexpr std::string_view kNamePrefix = "nelvix.";
constexpr std::string_view kNameSuffix = ".wrk";

} // namespace

std::string WorkFilePath(std::string_view programHome, long processId) {
    if (programHome.empty())
        return {};
    std::string path(programHome);
    if (path.back() != '/')
        path.push_back('/');
    path += kNamePrefix;
    path += std::to_string(processId);
    path += kNameSuffix;
    if (path.size() + 1 > kPathBufferBytes)
        return {};
    return path;
}

std::optional<long> WorkFileProcessId(std::string_view fileName) {
    // "nelvix.wrk" both starts and ends right: prefix and suffix must not overlap.
    if (fileName.size() <= kNamePrefix.size() + kNameSuffix.size() ||
        !fileName.starts_with(kNamePrefix) || !fileName.ends_with(kNameSuffix))
        return std::nullopt;
    const std::string_view digits = fileName.substr(
        kNamePrefix.size(), fileName.size() - kNamePrefix.size() - kNameSuffix.size());
    // `WorkFilePath` never writes a leading zero, a sign or a zero id.
    if (digits.front() < '1' || digits.front() > '9')
        return std::nullopt;
    long processId = 0;
    const auto [end, problem] =
        std::from_chars(digits.data(), digits.data() + digits.size(), processId);
    if (problem != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return processId;
}

} // namespace nelvix
