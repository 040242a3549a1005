// CKespoDoc: the text block, loading through the byte filter, saving, and the row arithmetic.
#include "text/text_document.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <span>
#include <sys/stat.h>
#include <unistd.h>

#include "base/native_path.h"
#include "base/sjis.h"
#include "encoding/file_convert.h"
#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "text/byte_filter.h"
#include "ui/message_table.h"
#include "ui/messages.h"

namespace nelvix {

/// Delivers the bytes to load a chunk at a time: an empty chunk at the end, nothing on error.
class LoadSource {
public:
    virtual ~LoadSource() = default;
    virtual std::optional<std::span<const Byte>> Next(std::size_t maxBytes) = 0;
};

namespace {

/// A file read through the document's 30,720-byte buffer.
class FileChunks final : public LoadSource {
public:
    explicit FileChunks(int fd) : m_fd(fd), m_buffer(kLoadBufferBytes) {}

    std::optional<std::span<const Byte>> Next(std::size_t maxBytes) override {
        const std::size_t want = std::min(maxBytes, m_buffer.size());
        for (;;) {
            ssize_t got = ::read(m_fd, m_buffer.data(), want);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return std::nullopt;
            return std::span<const Byte>(m_buffer.data(), static_cast<std::size_t>(got));
        }
    }

private:
    int m_fd;
    std::vector<Byte> m_buffer;
};

/// Bytes already in memory, handed over without copying.
class MemoryChunks final : public LoadSource {
public:
    MemoryChunks(const Byte* bytes, std::size_t length) : m_bytes(bytes), m_left(length) {}

    std::optional<std::span<const Byte>> Next(std::size_t maxBytes) override {
        const std::size_t take = std::min(maxBytes, m_left);
        std::span<const Byte> chunk(m_bytes, take);
        m_bytes += take;
        m_left -= take;
        return chunk;
    }

private:
    const Byte* m_bytes;
    std::size_t m_left;
};

/// The longest file that is read whole; a longer one is cut to this with message 59394.
constexpr std::uint64_t kMaxLoadBytes = kMaxTextBytes - 3;

constexpr std::uint32_t kNearLimitRows = kMaxRows / 10 * 9;
constexpr std::uint32_t kNearLimitBytes = kMaxTextBytes / 10 * 9;

/// Bytes of the proposed name taken from an untitled document's title.
constexpr std::size_t kProposedTitleBytes = 8;

bool IsNameStopper(Byte b) {
    return b == ' ' || b == '#' || b == '%' || b == ';' || b == '/' || b == '\\';
}

bool FileCanBeReadAndWritten(const std::string& nativePath) {
    struct stat info {};
    return ::stat(nativePath.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(nativePath.c_str(), R_OK | W_OK) == 0;
}

/// The report of a failed save: a name that cannot be created is invalid; anything else (a
/// read-only or full disk, no permission) failed to be written.
int SaveFailureMessage(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EINVAL:
    case EILSEQ:
        return ui::kMsgInvalidFileName;
    default:
        return ui::kMsgFileWriteError;
    }
}

void ReportLoadFailure(ui::Platform& platform) {
    ui::ShowMessage(platform, ui::kMsgOpenDocumentFailed);
}

} // namespace

CKespoDoc::CKespoDoc(DocumentEnvironment& environment)
    : m_environment(environment), m_format(environment.format) {
    m_stringMarks.reserve(kMaxMarks);
    m_lineMarks.reserve(kMaxMarks);
}

CKespoDoc::~CKespoDoc() = default;

std::unique_ptr<CKespoDoc> CKespoDoc::Create(DocumentEnvironment& environment) {
    std::unique_ptr<CKespoDoc> document(new CKespoDoc(environment));
    document->m_text.reset(
        static_cast<Byte*>(environment.platform.memory.Allocate(kTextBlockStep)));
    if (!document->m_text) {
        ui::ShowOutOfMemory(environment.platform);
        return nullptr;
    }
    document->m_capacity = kTextBlockStep;
    return document;
}

bool CKespoDoc::OnOpenDocument(std::string_view givenPath) {
    ui::Platform& platform = m_environment.platform;
    const std::string sjisPath = AbsoluteSjisPath(givenPath);
    m_alteredOnLoad = false;

    std::string readPath;
    if (!m_environment.workFilePath.empty()) {
        // A copy longer than the document takes is not converted to its end.
        WorkFileConversion conversion =
            ConvertFileToWorkFile(platform, sjisPath, m_environment.codeDecision,
                                  m_environment.workFilePath, kMaxTextBytes);
        if (conversion) {
            readPath = conversion.path;
            // A lossy copy must never be saved over the original.
            if (conversion.lossy)
                m_alteredOnLoad = true;
        }
    }
    if (readPath.empty())
        readPath = SjisPathToNative(sjisPath);

    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(readPath, fileLength);
    if (!file.IsOpen()) {
        ReportLoadFailure(platform);
        return false;
    }

    m_modified = true;
    FileChunks chunks(file.Get());
    if (!Load(fileLength, chunks)) {
        ReportLoadFailure(platform);
        return false;
    }

    // The attribute file belongs to the path the user gave, never to the work file.
    if (m_environment.attributes != nullptr)
        m_environment.attributes->Read(*this, sjisPath);
    SetPathName(sjisPath);
    if (m_environment.addToRecentFiles)
        m_environment.addToRecentFiles(sjisPath);
    m_modified = false;
    return true;
}

void CKespoDoc::LoadBytes(const Byte* bytes, std::size_t length) {
    m_alteredOnLoad = false;
    MemoryChunks chunks(bytes, length);
    Load(length, chunks);
}

bool CKespoDoc::Load(std::uint64_t length, LoadSource& source) {
    ui::Platform& platform = m_environment.platform;
    m_textLength = 0;
    m_lastCharOffset = 0;

    std::uint64_t toRead = length;
    // A cut or empty copy of a file must never be saved over the whole file: either way the
    // document counts as altered on load, which keeps Save disabled.
    if (toRead > kMaxLoadBytes) {
        ui::ShowMessage(platform, ui::kMsgTextTooLong);
        toRead = kMaxLoadBytes;
        m_alteredOnLoad = true;
    }
    if (toRead > 0 && GrowText(static_cast<std::uint32_t>(toRead)) == GrowResult::OutOfMemory) {
        ui::ShowOutOfMemory(platform);
        toRead = 0;
        m_alteredOnLoad = true;
    }

    // Never more than `toRead` bytes, even when the file has grown since its length was taken:
    // that is what the block was sized for. A file that shrank simply ends early.
    ByteFilter filter(m_text.get(), m_capacity);
    bool readFailed = false;
    std::uint64_t done = 0;
    while (done < toRead) {
        std::optional<std::span<const Byte>> chunk =
            source.Next(static_cast<std::size_t>(toRead - done));
        if (!chunk) {
            readFailed = true;
            break;
        }
        if (chunk->empty())
            break;
        filter.Feed(chunk->data(), chunk->size());
        done += chunk->size();
    }
    filter.Finish();

    m_textLength = static_cast<std::uint32_t>(filter.Stored());
    m_lastCharOffset = LastCharOffsetOf(m_textLength, filter.LastUnitIsPair());
    if (filter.Altered())
        m_alteredOnLoad = true;
    UpdateAllViews(UpdateHint::Loaded);
    return !readFailed;
}

bool CKespoDoc::OnSaveDocument(std::string_view sjisPath) {
    ui::Platform& platform = m_environment.platform;
    StagedFile text;
    switch (text.Stage(SjisPathToNative(sjisPath), m_text.get(), m_textLength)) {
    case StagedFile::Outcome::NotAFile:
        ui::ShowMessage(platform, ui::kMsgNotARegularFile);
        return false;
    case StagedFile::Outcome::Failed:
        ui::ShowMessage(platform, SaveFailureMessage(errno));
        return false;
    case StagedFile::Outcome::Staged:
        break;
    }
    StagedFile attributes;
    if (m_environment.attributes != nullptr &&
        !m_environment.attributes->Prepare(*this, sjisPath, attributes))
        return false;
    if (!CommitBoth(text, attributes)) {
        ui::ShowMessage(platform, SaveFailureMessage(errno));
        return false;
    }
    m_modified = false;
    return true;
}

bool CKespoDoc::Save() {
    if (!CanSave())
        return false;
    if (!m_path.empty() && FileCanBeReadAndWritten(SjisPathToNative(m_path))) {
        const std::string path = m_path;
        return DoSave(&path);
    }
    return DoSave(nullptr);
}

bool CKespoDoc::SaveAs() {
    return DoSave(nullptr);
}

bool CKespoDoc::DoSave(const std::string* sjisPath) {
    ui::Platform& platform = m_environment.platform;
    std::string newPath;
    if (sjisPath != nullptr) {
        newPath = *sjisPath;
    } else {
        std::optional<std::string> chosen = platform.fileDialogs.AskSaveFileName(
            ui::MessageText(ui::kMsgSaveAsTitle), ProposedSaveName());
        if (!chosen || chosen->empty())
            return false;
        newPath = std::move(*chosen);
    }

    // A failed save has changed no file, so there is nothing to clean up.
    if (!OnSaveDocument(newPath))
        return false;
    SetPathName(AbsoluteSjisPath(newPath));
    if (m_environment.addToRecentFiles)
        m_environment.addToRecentFiles(m_path);
    if (m_environment.refreshWindowBar)
        m_environment.refreshWindowBar();
    return true;
}

std::string CKespoDoc::ProposedSaveName() const {
    if (!m_path.empty())
        return m_path;

    const auto* title = reinterpret_cast<const Byte*>(m_title.data());
    const std::size_t titleLength = m_title.size();
    std::size_t cut = 0;
    // Whole characters only: a lead byte at byte 7 would leave half a character behind.
    while (cut < titleLength) {
        const std::size_t next = NextCharOffset(title, titleLength, cut);
        if (next > kProposedTitleBytes)
            break;
        // A trail byte may be 0x5C ('\\'), so only the first byte of a character can stop.
        if (IsNameStopper(title[cut]))
            break;
        cut = next;
    }
    std::string name = m_title.substr(0, cut);
    if (m_format.documentType == DocumentType::Plain)
        name += ".txt";
    return name;
}

GrowResult CKespoDoc::GrowText(std::uint32_t bytesNeeded) {
    const std::uint64_t wanted = std::uint64_t{bytesNeeded} + 2;
    if (wanted >= kMaxTextBytes)
        return GrowResult::TooLarge;
    if (wanted <= m_capacity)
        return GrowResult::Fits;
    const std::uint64_t capacity = (wanted / kTextBlockStep + 1) * kTextBlockStep;
    void* grown = m_environment.platform.memory.Reallocate(m_text.get(), capacity);
    if (grown == nullptr)
        return GrowResult::OutOfMemory;
    static_cast<void>(m_text.release()); // realloc has already freed or moved the old block
    m_text.reset(static_cast<Byte*>(grown));
    m_capacity = static_cast<std::uint32_t>(capacity);
    return GrowResult::Grown;
}

NearLimit CKespoDoc::CheckNearLimit(std::uint32_t rowsToAdd, std::uint32_t bytesToAdd) const {
    if (std::uint64_t{m_rows.Count()} + rowsToAdd > kNearLimitRows)
        return NearLimit::Rows;
    if (std::uint64_t{m_textLength} + bytesToAdd > kNearLimitBytes)
        return NearLimit::Bytes;
    return NearLimit::None;
}

void CKespoDoc::AddView(DocumentView& view) {
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end())
        m_views.push_back(&view);
}

void CKespoDoc::RemoveView(DocumentView& view) {
    std::erase(m_views, &view);
}

void CKespoDoc::UpdateAllViews(UpdateHint hint, const HintArgument& argument) {
    // A lone view, the usual case, is told without a copy of the list: a find tells it once
    // per appended line.
    if (m_views.size() == 1) {
        m_views.front()->OnUpdate(*this, hint, argument);
        return;
    }
    // A view may remove itself while it is told.
    const std::vector<DocumentView*> views = m_views;
    for (DocumentView* view : views)
        if (std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(*this, hint, argument);
}

void CKespoDoc::SetFormatSettings(const DisplayFormat& format, bool layOutAgain) {
    bool fontChanged = format.font != m_format.font;
    m_format = format;
    if (!layOutAgain && !fontChanged) {
        UpdateAllViews(UpdateHint::RedrawAfterSettings);
        return;
    }
    HintArgument argument;
    argument.formatChanged = &fontChanged;
    UpdateAllViews(UpdateHint::FormatCopied, argument);
}

void CKespoDoc::SetTextLength(std::uint32_t length) {
    assert(length <= m_capacity && "the text cannot outgrow its block");
    m_textLength = std::min(length, m_capacity);
    const Byte* text = m_text.get();
    if (m_textLength == 0) {
        m_lastCharOffset = 0;
        return;
    }
    // CR is never a trail byte (the filter makes it a space there), so the last CR is a
    // character boundary to count from; like a lead byte it takes the next byte with it.
    std::uint32_t anchor = m_textLength;
    while (anchor > 0 && text[anchor - 1] != kCr)
        --anchor;
    anchor = anchor > 0 ? anchor - 1 : 0;
    std::uint32_t offset = anchor;
    std::uint32_t last = anchor;
    while (offset < m_textLength) {
        last = offset;
        offset += IsLeadByte(text[offset]) || text[offset] == kCr ? 2 : 1;
    }
    m_lastCharOffset = last;
}

std::string_view CKespoDoc::TextView() const {
    return {reinterpret_cast<const char*>(m_text.get()), m_textLength};
}

void CKespoDoc::SetPathName(std::string sjisPath) {
    m_path = std::move(sjisPath);
    // '/' is below every trail byte, so the last one found is a real separator.
    const std::size_t slash = m_path.rfind('/');
    m_title = slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

} // namespace nelvix
