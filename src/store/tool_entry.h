// An external tool as the editor and browser lists keep it.
#pragma once

#include <string>

namespace nelvix {

/// At most this many tools in each list.
inline constexpr std::size_t kToolListEntries = 20;

struct ToolEntry {
    std::string program;          ///< Shift-JIS
    std::string parameters;       ///< Shift-JIS, with the parameter codes
    std::string workingDirectory; ///< Shift-JIS; empty for the program's own
    bool operator==(const ToolEntry&) const = default;
};

} // namespace nelvix
