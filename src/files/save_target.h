// Where the replacement of a file lands, and the temporary files written beside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace nelvix {

/// Temporary files are named `.nelvix-save-<process id>-XXXXXX` beside their target, so that
/// the ones a killed process left behind can be told from those of a running one.
inline constexpr std::string_view kSaveTemporaryPrefix = ".nelvix-save-";

/// The process id in the name of a save temporary; nothing for any other name.
std::optional<long> SaveTemporaryProcessId(std::string_view fileName);

enum class TargetKind { Missing, RegularFile, Folder, Other };

/// The name a write lands on and what it holds.
struct SaveTarget {
    std::string path;      ///< the end of the chain of symbolic links
    std::string directory; ///< its folder
    TargetKind kind = TargetKind::Missing;
    mode_t mode = 0; ///< of an existing regular file
    uid_t owner = 0;
    gid_t group = 0;
};

/// Follows the path's symbolic links to the name a write lands on. Nothing (errno set) when the
/// chain does not end (ELOOP) or a name on it cannot be looked at (too long, no permission).
std::optional<SaveTarget> ResolveSaveTarget(const std::string& nativePath);

/// What `path` holds now, a link not followed.
TargetKind TargetKindAt(const std::string& path);

/// Creates an empty temporary file in `directory`, named for this process; its descriptor (and
/// its path in `path`), or -1 with errno set.
int CreateSaveTemporary(const std::string& directory, std::string& path);

/// The permission bits a newly created file gets under the process's umask.
mode_t NewFileMode();

/// Makes renames in the folder durable; a failure is ignored, as it endangers no file.
void SyncDirectory(const std::string& directory);

} // namespace nelvix
