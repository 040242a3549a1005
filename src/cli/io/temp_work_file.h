// A work file of nelvix-cli's own, so that converting never touches the program home or the
// work file of a running Nelvix.
#pragma once

#include <string>

namespace nelvix::cli {

class TempWorkFile {
public:
    /// Makes an empty file, new, in a fresh folder of its own (mode 0700) in $TMPDIR, else in a
    /// folder held in memory ($XDG_RUNTIME_DIR, /dev/shm), else in /tmp; when that fails,
    /// Path() is empty and Reason() says why. Both are removed when the object goes, and when
    /// SIGINT, SIGTERM, SIGHUP or SIGPIPE ends the program first.
    TempWorkFile();
    /// Deletes the file and its folder.
    ~TempWorkFile();
    TempWorkFile(const TempWorkFile&) = delete;
    TempWorkFile& operator=(const TempWorkFile&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_folder;
    std::string m_path;
    std::string m_reason;
    int m_slot = -1; ///< of the signal cleanup; -1: not registered
};

} // namespace nelvix::cli
