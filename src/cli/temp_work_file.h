// A work file of nelvix-cli's own, so that converting never touches the program home or the
// work file of a running Nelvix.
#pragma once

#include <string>

namespace nelvix::cli {

class TempWorkFile {
public:
    /// Makes an empty file with a fresh name in $TMPDIR, else in a folder held in memory
    /// ($XDG_RUNTIME_DIR, /dev/shm), else in /tmp; when that fails, Path() is empty and
    /// Reason() says why.
    TempWorkFile();
    /// Deletes the file.
    ~TempWorkFile();
    TempWorkFile(const TempWorkFile&) = delete;
    TempWorkFile& operator=(const TempWorkFile&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

} // namespace nelvix::cli
