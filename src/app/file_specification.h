// The file set a command's file box names: the box's own absolute specification, or its
// patterns in the current directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nelvix {

/// The process's working directory in the core's form, ending in '/'; "/" when it cannot be
/// had.
std::string WorkingDirectory();

/// The full specification; nothing when it would be 261 bytes or more. A box that names its
/// directory itself is the specification, also when the directory is quoted for a blank in it
/// ("/my dir"/*.txt, as the histories hold it).
std::optional<std::string> ResolveFileSpecification(std::string_view sjisCurrentDirectory,
                                                    std::string_view sjisFileBox);

} // namespace nelvix
