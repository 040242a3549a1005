// The name of this process's work file.
#pragma once

#include "base/limits.h"

#include <optional>
#include <string>
#include <string_view>

namespace nelvix {

/// `<home>/nelvix.<pid>.wrk`; empty when the result would not fit the path buffer. The process
/// id keeps two running instances from overwriting each other's converted copy.
std::string WorkFilePath(std::string_view programHome, long processId);

/// The process id a file name carries when it is exactly the name `WorkFilePath` gives a
/// process ("nelvix.<pid>.wrk": digits without a leading zero, a positive id); nothing for any
/// other name.
std::optional<long> WorkFileProcessId(std::string_view fileName);

} // namespace nelvix
