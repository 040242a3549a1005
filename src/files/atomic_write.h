// Replacing a file without ever leaving it half-written, alone or together with a second file.
//
// Only a regular file is ever replaced: a symbolic link is followed to the file it leads to (the
// link stays), a name that does not exist yet is created, and anything else at the name (a
// folder, a device, a FIFO, a socket, or a link to one of them) is refused and left alone.
#pragma once

#include <cstddef>
#include <string>

#include "base/sjis.h"
#include "files/save_target.h"

namespace nelvix {

/// New contents for one file, written beside it under a temporary name and put in its place
/// only by Commit.
class StagedFile {
public:
    enum class Outcome { Staged, NotAFile, Failed };

    StagedFile() = default;
    /// Removes the temporary files still there: an uncommitted stage, a kept old file.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    /// Writes the bytes under a temporary name beside the file the path leads to, with the old
    /// file's permission bits (a new file's: 0666 less the umask). NotAFile when the name holds
    /// something that is not a regular file; Failed with errno set when the writing failed.
    Outcome Stage(const std::string& nativePath, const Byte* bytes, std::size_t length);
    /// Makes Commit remove the name (a link itself, not its target); a removal never fails.
    void StageRemoval(const std::string& nativePath);

    /// True when Commit puts new bytes in place.
    bool Replaces() const { return m_mode == Mode::Replace; }
    /// Keeps the file Commit will replace under a temporary name, so that Undo can put it
    /// back; false (errno set) when it cannot be kept.
    bool KeepOld();
    /// Renames the staged bytes over the target, or removes it. False (errno set) when the
    /// rename failed or the name has meanwhile come to hold something else; the target then
    /// stays as it was.
    bool Commit();
    /// Takes a committed replacement back: the kept old file returns, or the new file goes when
    /// there was none. False when that cannot be done.
    bool Undo();

private:
    enum class Mode { None, Replace, Remove };

    Mode m_mode = Mode::None;
    std::string m_target;    ///< where the bytes land: the end of the link chain
    std::string m_directory; ///< the target's folder, which holds the temporaries
    std::string m_temporary; ///< the staged bytes; empty once renamed
    std::string m_kept;      ///< the old file kept for Undo; empty when none
    SaveTarget m_old{};      ///< what the target was when staged
    bool m_committed = false;
};

/// Stage and Commit in one. False on failure, the target untouched and no temporary left;
/// errno tells why (EISDIR for a folder, EINVAL for anything else that is not a regular file).
bool WriteFileAtomically(const std::string& nativePath, const Byte* bytes, std::size_t length);

/// Commits `first`, then `second`; when `second` fails, `first` is taken back, so that either
/// both files change or neither. False (errno set) on failure.
bool CommitBoth(StagedFile& first, StagedFile& second);

} // namespace nelvix
