// Replacing a file through a temporary file beside it and a rename.
#include "files/atomic_write.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file_faults.h"
#include "files/posix_file.h"

namespace nelvix {
namespace {

/// Bytes copied at a time when the old file must be kept by copying.
constexpr std::size_t kCopyChunkBytes = 65'536;
/// Tries at a free name for the kept old file, taken by someone else meanwhile.
constexpr int kKeepAttempts = 8;

/// Remembers the first failure's errno across the steps of a write.
class FirstError {
public:
    bool Check(bool ok) {
        if (!ok && m_error == 0)
            m_error = errno != 0 ? errno : EIO;
        return m_error == 0;
    }
    int Get() const { return m_error; }

private:
    int m_error = 0;
};

/// Gives the temporary the old file's owner (where we may) and permission bits, or a new file's.
bool TakeOverMode(int fd, const SaveTarget& old) {
    if (old.kind != TargetKind::RegularFile)
        return ::fchmod(fd, NewFileMode()) == 0;
    if (old.owner != ::geteuid() || old.group != ::getegid())
        static_cast<void>(::fchown(fd, old.owner, old.group));
    return ::fchmod(fd, old.mode) == 0;
}

/// Fills the temporary; false with errno set.
bool FillTemporary(int fd, const Byte* bytes, std::size_t length, const SaveTarget& old) {
    FirstError error;
    if (error.Check(WriteAll(fd, bytes, length)))
        error.Check(TakeOverMode(fd, old));
    if (error.Get() == 0)
        error.Check(::fsync(fd) == 0);
    error.Check(::close(fd) == 0);
    errno = error.Get();
    return error.Get() == 0;
}

bool CopyBytes(int from, int to) {
    std::array<Byte, kCopyChunkBytes> chunk;
    for (;;) {
        const std::optional<std::size_t> got = ReadUpTo(from, chunk.data(), chunk.size());
        if (!got)
            return false;
        if (*got == 0)
            return true;
        if (!WriteAll(to, chunk.data(), *got))
            return false;
    }
}

/// A copy of the old file under a temporary name, for a folder without hard links.
bool KeepByCopy(const SaveTarget& old, std::string& kept) {
    std::size_t length = 0;
    FileDescriptor source = OpenRegularFileForReading(old.path, length);
    if (!source.IsOpen())
        return false;
    const int fd = CreateSaveTemporary(old.directory, kept);
    if (fd < 0)
        return false;
    FirstError error;
    if (error.Check(CopyBytes(source.Get(), fd)))
        error.Check(TakeOverMode(fd, old));
    if (error.Get() == 0)
        error.Check(::fsync(fd) == 0);
    error.Check(::close(fd) == 0);
    if (error.Get() != 0) {
        ::unlink(kept.c_str());
        kept.clear();
    }
    errno = error.Get();
    return error.Get() == 0;
}

/// A second name for the old file: `kept` takes a fresh temporary's name, which is then made a
/// hard link to the old file. EEXIST means another took the name between the two steps.
int KeepByLink(const SaveTarget& old, std::string& kept) {
    if (const int injected = InjectedFileError(FileStep::Link, old.path))
        return injected;
    for (int attempt = 0; attempt < kKeepAttempts; ++attempt) {
        const int fd = CreateSaveTemporary(old.directory, kept);
        if (fd < 0)
            return errno;
        ::close(fd);
        ::unlink(kept.c_str());
        if (::link(old.path.c_str(), kept.c_str()) == 0)
            return 0;
        const int error = errno;
        kept.clear();
        if (error != EEXIST)
            return error;
    }
    return EEXIST;
}

bool Rename(const std::string& from, const std::string& to) {
    if (const int injected = InjectedFileError(FileStep::Rename, to)) {
        errno = injected;
        return false;
    }
    return ::rename(from.c_str(), to.c_str()) == 0;
}

} // namespace

StagedFile::~StagedFile() {
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    if (!m_kept.empty())
        ::unlink(m_kept.c_str());
}

StagedFile::Outcome StagedFile::Stage(const std::string& nativePath, const Byte* bytes,
                                      std::size_t length) {
    if (nativePath.empty()) {
        errno = ENOENT;
        return Outcome::Failed;
    }
    const std::optional<SaveTarget> target = ResolveSaveTarget(nativePath);
    if (!target)
        return Outcome::Failed;
    if (target->kind == TargetKind::Folder || target->kind == TargetKind::Other) {
        errno = target->kind == TargetKind::Folder ? EISDIR : EINVAL;
        return Outcome::NotAFile;
    }
    const int fd = CreateSaveTemporary(target->directory, m_temporary);
    if (fd < 0)
        return Outcome::Failed;
    if (!FillTemporary(fd, bytes, length, *target)) {
        const int error = errno;
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
        errno = error;
        return Outcome::Failed;
    }
    m_old = *target;
    m_mode = Mode::Replace;
    return Outcome::Staged;
}

void StagedFile::StageRemoval(const std::string& nativePath) {
    m_old = SaveTarget{};
    m_old.path = nativePath;
    m_mode = Mode::Remove;
}

bool StagedFile::KeepOld() {
    if (m_mode != Mode::Replace || m_old.kind != TargetKind::RegularFile || !m_kept.empty())
        return true;
    // A hard link keeps the very file; where the folder has none (FAT, some network shares, a
    // file of another user under protected hard links) a copy serves.
    return KeepByLink(m_old, m_kept) == 0 || KeepByCopy(m_old, m_kept);
}

bool StagedFile::Commit() {
    if (m_mode == Mode::None || m_committed)
        return true;
    if (m_mode == Mode::Remove) {
        // A file that cannot be removed costs at most old marks coming back; that is no reason
        // to fail the save of a text.
        static_cast<void>(::unlink(m_old.path.c_str()));
        m_committed = true;
        return true;
    }
    // Something put at the name since the check is no file of ours to replace.
    const TargetKind now = TargetKindAt(m_old.path);
    if (now == TargetKind::Folder || now == TargetKind::Other) {
        errno = now == TargetKind::Folder ? EISDIR : EINVAL;
        return false;
    }
    if (!Rename(m_temporary, m_old.path))
        return false;
    m_temporary.clear();
    m_committed = true;
    SyncDirectory(m_old.directory);
    return true;
}

bool StagedFile::Undo() {
    if (!m_committed || m_mode != Mode::Replace)
        return !m_committed;
    if (!m_kept.empty()) {
        if (!Rename(m_kept, m_old.path))
            return false;
        m_kept.clear();
    } else if (m_old.kind == TargetKind::RegularFile) {
        return false;
    } else if (::unlink(m_old.path.c_str()) != 0) {
        return false;
    }
    m_committed = false;
    SyncDirectory(m_old.directory);
    return true;
}

bool WriteFileAtomically(const std::string& nativePath, const Byte* bytes, std::size_t length) {
    bool written = false;
    int error = 0;
    {
        StagedFile file;
        written =
            file.Stage(nativePath, bytes, length) == StagedFile::Outcome::Staged && file.Commit();
        error = errno;
    }
    // Removing a temporary that was left must not hide why the write failed.
    errno = error;
    return written;
}

bool CommitBoth(StagedFile& first, StagedFile& second) {
    if (second.Replaces() && !first.KeepOld())
        return false;
    if (!first.Commit())
        return false;
    if (second.Commit())
        return true;
    const int error = errno;
    first.Undo();
    errno = error;
    return false;
}

} // namespace nelvix
