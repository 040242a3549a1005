// Finding, reading and writing the data file.
#include "store/data_file.h"

#include <cerrno>

#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "store/program_home.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

inline constexpr char kDataFileName[] = "nelvix.DAT";

enum class ReadOutcome { Read, Missing, Failed };

/// At most the buffer's size of the file; a file that fills it is refused by the check.
ReadOutcome ReadImageFile(const std::string& nativePath, std::vector<Byte>& image) {
    errno = 0;
    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(nativePath, fileLength);
    if (!file.IsOpen())
        return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
    image.resize(kDataFileBufferBytes);
    const std::optional<std::size_t> done = ReadUpTo(file.Get(), image.data(), image.size());
    if (!done)
        return ReadOutcome::Failed;
    image.resize(*done);
    return ReadOutcome::Read;
}

std::string FolderOf(const std::string& nativePath) {
    const std::size_t slash = nativePath.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? std::string("/") : nativePath.substr(0, slash);
}

} // namespace

std::string DataFilePath(const std::string& nativeHome) {
    if (nativeHome.empty())
        return {};
    std::string path = nativeHome;
    if (path.back() != '/')
        path += '/';
    path += kDataFileName;
    if (path.size() >= kPathBufferBytes)
        return {};
    return path;
}

bool ReadDataFile(ui::Platform& platform, const std::string& nativePath,
                  DataFileContents& contents) {
    if (nativePath.empty())
        return false;
    std::vector<Byte> image;
    switch (ReadImageFile(nativePath, image)) {
    case ReadOutcome::Missing:
        // The first run of the program: the defaults stay.
        return false;
    case ReadOutcome::Failed:
        ui::ShowMessage(platform, ui::kMsgDataReadError);
        return false;
    case ReadOutcome::Read:
        break;
    }
    if (!ParseDataFile(image, contents)) {
        ui::ShowMessage(platform, ui::kMsgDataInvalid);
        return false;
    }
    return true;
}

// The file is replaced in one step, so that a failed write keeps the old file whole; content
// too long to read back is not written at all.
bool WriteDataFile(ui::Platform& platform, const std::string& nativePath,
                   const DataFileContents& contents) {
    const std::optional<std::vector<Byte>> image = BuildDataFile(contents);
    const std::string folder = FolderOf(nativePath);
    const bool written = image && !nativePath.empty() &&
                         (folder.empty() || EnsureProgramHome(folder)) &&
                         WriteFileAtomically(nativePath, image->data(), image->size());
    if (!written) {
        ui::ShowMessage(platform, ui::kMsgDataWriteError);
        return false;
    }
    return true;
}

} // namespace nelvix
