// Search specifications ("/dir/*.c *.h", or "/my dir"/*.c for a directory with a blank): the one
// place that reads, quotes and builds them, for the program's commands, the file sets and every
// nelvix-cli command alike.
#pragma once

#include "base/limits.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nelvix {

inline constexpr std::size_t kMaxFilePatterns = 10;

struct SplitPath {
    std::string directory; ///< up to and including the last '/'
    std::string name;
};

/// Without a '/', both parts are empty; a path ending in '/' is all directory.
SplitPath SplitDirectory(std::string_view path);

/// The path in double quotes when it holds a space or a double quote (a quote inside is
/// doubled), else unchanged.
std::string QuotePathWithSpaces(std::string_view path);

/// The full path patterns of a specification: at most 10; the first word as it is, each further
/// word with the first word's directory in front unless it is absolute (leading '/'). Empty for
/// an empty specification.
std::vector<std::string> SpecificationPatterns(std::string_view sjisSpecification);

/// The search specification for one item of the subdirectory list: the item, the first pattern's
/// file name, and the further patterns that are not absolute. Empty for an empty
/// `userSpecification`.
std::string SubdirectorySpecification(std::string_view item, std::string_view userSpecification);

/// The full specification a file box names: the box itself when it names its directory (a
/// leading '/', or a leading quote before one, as the histories store a directory with a blank),
/// else its patterns in `sjisCurrentDirectory` (ending in '/'), that directory quoted when it
/// holds a blank. Nothing when it would not fit a path buffer.
std::optional<std::string> ResolveSearchSpecification(std::string_view sjisCurrentDirectory,
                                                      std::string_view sjisFileBox);

/// The process's working directory in the core's form, ending in '/'; "/" when it cannot be
/// had.
std::string WorkingDirectory();

/// Spaces separate words; a double quote opens or closes a quoted part, and two in a row inside
/// one stand for a quote. An empty word ends the list; at most `maxWords` words. Unlike the
/// multi-text splitter, a long word is kept whole: a deep path is still a path.
std::vector<std::string> SplitSpecificationWords(std::string_view specification,
                                                 std::size_t maxWords);

/// The path a stored item stands for: its quotes taken out by the same rules, spaces kept.
std::string UnquotePath(std::string_view item);

} // namespace nelvix
