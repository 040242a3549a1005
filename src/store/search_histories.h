// The histories of the global find and HTML search boxes, saved with the data file.
#pragma once

#include <string>
#include <vector>

namespace nelvix {

/// Each newest first, kept by AddToHistory (find/find_history.h).

struct SearchHistories {
    std::vector<std::string> patterns;
    std::vector<std::string> replacements;
    std::vector<std::string> specifications; ///< the file boxes
};

} // namespace nelvix
