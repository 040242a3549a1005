// The filter lists of the open-file dialog, one per document type, and their parsing. The lists
// are UTF-8: they go only to the front end's dialog.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

/// No default extension goes with a list: a name typed into the dialog is opened as typed, so
/// that a file without an extension ("README", "/usr/bin/ls") opens under any filter.
struct OpenFileFilters {
    /// "name|patterns|name|patterns|...||"; patterns are separated by ';'.
    std::string_view filterList;
};

/// The filters of document type 0 (general text), 1 (C) or 2 (C++); any other type gets type 0's.
OpenFileFilters OpenFileFiltersOf(int documentType);

struct FileFilter {
    std::string name;     ///< as shown, e.g. "ﾃｷｽﾄ(*.txt)"
    std::string patterns; ///< e.g. "*.log;*.ini"
    bool operator==(const FileFilter&) const = default;
};

/// The (name, patterns) pairs up to the first empty name; a name without patterns is dropped.
std::vector<FileFilter> ParseFilterList(std::string_view filterList);

} // namespace nelvix
