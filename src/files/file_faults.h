// Failures of the file layer made to order, so that tests meet a full disk, a read error or a
// failed rename without needing one.
#pragma once

#include <string>
#include <string_view>

namespace nelvix {

/// The steps of the file layer at which a failure can be injected.
enum class FileStep {
    Open,   ///< opening a file for reading (the path opened)
    Read,   ///< a read (the path of the open file)
    Create, ///< creating a temporary file beside a target (the target's path)
    Write,  ///< a write (the path of the open file)
    Link,   ///< making a second name for a file (the file's path)
    Rename, ///< renaming a file into place (the name it takes)
};

/// Decides which steps fail. Installed by tests only; the program runs without one.
class FileFaults {
public:
    virtual ~FileFaults() = default;
    /// 0 lets the step run; any other value makes it fail with that errno.
    virtual int ErrorFor(FileStep step, std::string_view nativePath) = 0;
};

/// Installs `faults` (nullptr: none) and returns the one installed before. Not thread-safe: the
/// program never calls it.
FileFaults* SetFileFaults(FileFaults* faults);

/// The errno `step` on `nativePath` must fail with; 0 without installed faults.
int InjectedFileError(FileStep step, const std::string& nativePath);
/// The same for a step on an open file, named through /proc/self/fd.
int InjectedFileError(FileStep step, int fd);

} // namespace nelvix
