// The recorder's macro files in the program home: names, loading, saving and listing.
#include "record/operation_recorder.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/native_path.h"
#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "record/macro_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// A header never runs longer than its fixed part and the longest comment.
constexpr std::size_t kMacroHeaderMaxBytes = kMacroHeaderFixedBytes + kMacroCommentMaxBytes;

bool IsPlainFileName(std::string_view nativeName) {
    return nativeName != "." && nativeName != ".." &&
           nativeName.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

/// The header of the macro file at `nativePath`; nothing when it is not a readable regular
/// file with a valid header.
std::optional<MacroHeader> ReadMacroHeader(const std::string& nativePath) {
    std::size_t length = 0;
    const FileDescriptor file = OpenRegularFileForReading(nativePath, length);
    if (!file.IsOpen())
        return std::nullopt;
    Byte head[kMacroHeadBytes];
    const std::optional<std::size_t> read = ReadUpTo(file.Get(), head, sizeof head);
    if (!read)
        return std::nullopt;
    return ParseMacroHeader(head, *read);
}

/// The name under which a listed file loads again: the title without ".mac" when that name
/// leads back to this very file (not for "X.MAC" or "a.mac.mac" on a case-sensitive system).
std::string ListedName(const std::string& sjisTitle) {
    if (sjisTitle.size() <= kMacroExtension.size())
        return sjisTitle;
    std::string cut = sjisTitle.substr(0, sjisTitle.size() - kMacroExtension.size());
    return MacroFileName(cut) == sjisTitle ? cut : sjisTitle;
}

} // namespace

std::optional<std::string> OperationRecorder::MacroPath(std::string_view sjisName) const {
    const std::string fileName = MacroFileName(sjisName);
    const std::size_t joinedBytes =
        m_sjisProgramPath.size() - std::strlen("nelvix.exe") + fileName.size();
    if (m_sjisProgramPath.size() + sjisName.size() >= kMaxPathBytes || joinedBytes >= kMaxPathBytes)
        return std::nullopt;
    // Checked on the native form too: an escape pair can stand for '/' or NUL there.
    const std::string nativeName = SjisPathToNative(fileName);
    if (!IsPlainFileName(sjisName) || !IsPlainFileName(fileName) || !IsPlainFileName(nativeName))
        return std::nullopt;
    return m_nativeHome + "/" + nativeName;
}

int OperationRecorder::MacroExists(std::string_view sjisName) const {
    const std::optional<std::string> path = MacroPath(sjisName);
    if (!path)
        return 2;
    struct stat info {};
    return ::stat(path->c_str(), &info) == 0 ? 1 : 0;
}

bool OperationRecorder::LoadMacro(std::string_view sjisName) {
    m_macroName.clear();
    const std::optional<std::string> path = MacroPath(sjisName);
    if (!path || m_replaying)
        return false;
    std::size_t length = 0;
    const FileDescriptor file = OpenRegularFileForReading(*path, length);
    if (!file.IsOpen())
        return false;
    const std::size_t imageBytes = kMacroHeaderMaxBytes + kMacroRecordMaxBytes;
    const Block image = AllocateBlock(imageBytes);
    if (!image)
        return false;
    const std::optional<std::size_t> read = ReadUpTo(file.Get(), image.get(), imageBytes);
    if (!read || !LoadMacroImage({image.get(), *read}))
        return false;
    m_macroName.assign(sjisName);
    return true;
}

bool OperationRecorder::LoadMacroImage(std::span<const Byte> image) {
    if (m_replaying)
        return false;
    const std::optional<MacroHeader> header = ParseMacroHeader(image.data(), image.size());
    if (!header)
        return false;
    const auto headerBytes = static_cast<std::size_t>(header->headerSize);
    const auto recordBytes = static_cast<std::size_t>(header->recordBytes);
    // A file cut short would leave the buffer's old bytes standing in for its records.
    if (image.size() - headerBytes < recordBytes || !EnsureBuffer())
        return false;
    if (recordBytes > 0)
        std::memcpy(m_buffer.get(), image.data() + headerBytes, recordBytes);
    m_recordBytes = recordBytes;
    m_recordCount = static_cast<std::size_t>(header->recordCount);
    return true;
}

bool OperationRecorder::SaveMacro(std::string_view sjisName, std::string_view sjisComment) {
    m_recording = false;
    const std::optional<std::string> path = MacroPath(sjisName);
    if (!path) {
        ui::ShowMessage(m_platform, ui::kMsgMacroWriteError);
        return false;
    }
    m_macroName.assign(sjisName);
    m_comment = MacroComment(sjisComment);
    MacroHeader header;
    header.recordCount = static_cast<std::int32_t>(m_recordCount);
    header.comment = m_comment;
    const std::vector<Byte> image = BuildMacroImage(header, Records());
    if (!WriteFileAtomically(*path, image.data(), image.size())) {
        ui::ShowMessage(m_platform, ui::kMsgMacroWriteError);
        return false;
    }
    return true;
}

bool OperationRecorder::DeleteMacro(std::string_view sjisName) {
    const std::optional<std::string> path = MacroPath(sjisName);
    return path && ::unlink(path->c_str()) == 0;
}

std::vector<MacroEntry> OperationRecorder::ListMacros() const {
    std::vector<MacroEntry> entries;
    DIR* directory = ::opendir(m_nativeHome.c_str());
    if (directory == nullptr)
        return entries;
    while (const dirent* item = ::readdir(directory)) {
        const std::string sjisTitle = NativePathToSjis(item->d_name);
        if (MacroFileName(sjisTitle) != sjisTitle)
            continue;
        const std::optional<MacroHeader> header =
            ReadMacroHeader(m_nativeHome + "/" + item->d_name);
        if (header)
            entries.push_back({ListedName(sjisTitle), header->comment, false});
    }
    ::closedir(directory);
    // Sorted before the cut, so the same hundred are listed whatever the directory's order.
    std::sort(entries.begin(), entries.end(),
              [](const MacroEntry& a, const MacroEntry& b) { return a.name < b.name; });
    if (entries.size() > kMacroListMax)
        entries.resize(kMacroListMax);
    return entries;
}

bool IsValidMacroName(const OperationRecorder& recorder, std::string_view sjisName) {
    return !sjisName.empty() && sjisName.find('/') == std::string_view::npos &&
           recorder.MacroExists(sjisName) != 2;
}

} // namespace nelvix
