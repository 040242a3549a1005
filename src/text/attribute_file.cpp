// The attribute file beside a text: naming it, parsing and building its image, reading it after
// a text is opened and writing, keeping or deleting it after a save.
#include "text/attribute_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "base/native_path.h"
#include "files/atomic_write.h"
#include "files/posix_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

/// How many characters at the end of a path may hold the extension's dot.
constexpr std::size_t kExtensionSearchChars = 4;
constexpr std::string_view kAttributeExtension = "ATR";
static_assert(kAttributeMagic.size() == 30);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiToLower(static_cast<Byte>(x)) == AsciiToLower(static_cast<Byte>(y));
           });
}

/// The offset of the extension's dot, when one of the path's last four characters is a dot.
std::optional<std::size_t> ExtensionDot(std::string_view path) {
    const Byte* bytes = reinterpret_cast<const Byte*>(path.data());
    // The character starts are found forward from the path's start, so that the second byte of a
    // double-byte character is never taken for a character of its own.
    std::array<std::size_t, kExtensionSearchChars> starts{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < path.size(); i = NextCharOffset(bytes, path.size(), i))
        starts[count++ % kExtensionSearchChars] = i;

    const std::size_t searched = std::min(count, kExtensionSearchChars);
    for (std::size_t back = 1; back <= searched; ++back) {
        const std::size_t start = starts[(count - back) % kExtensionSearchChars];
        if (path[start] != '.')
            continue;
        // A dot in a folder's name is no extension: replacing from there would name a file in
        // another folder, one that may hold the marks of an unrelated text.
        if (path.find('/', start) != std::string_view::npos)
            return std::nullopt;
        return start;
    }
    return std::nullopt;
}

/// Reads little-endian fields from an image, never past its end.
class ImageReader {
public:
    ImageReader(const Byte* bytes, std::size_t length, std::size_t position)
        : m_bytes(bytes), m_length(length), m_position(position) {}

    bool ReadU16(std::uint16_t& value) {
        if (m_length - m_position < 2)
            return false;
        value = static_cast<std::uint16_t>(m_bytes[m_position] | m_bytes[m_position + 1] << 8);
        m_position += 2;
        return true;
    }

    bool ReadU32(std::uint32_t& value) {
        if (m_length - m_position < 4)
            return false;
        value = 0;
        for (std::size_t i = 4; i-- > 0;)
            value = value << 8 | m_bytes[m_position + i];
        m_position += 4;
        return true;
    }

    /// The bytes up to the next NUL, which is passed over; nothing when no NUL follows.
    std::optional<std::string_view> ReadString() {
        const void* nul = std::memchr(m_bytes + m_position, 0, m_length - m_position);
        if (nul == nullptr)
            return std::nullopt;
        const std::size_t end = static_cast<std::size_t>(static_cast<const Byte*>(nul) - m_bytes);
        std::string_view text(reinterpret_cast<const char*>(m_bytes + m_position),
                              end - m_position);
        m_position = end + 1;
        return text;
    }

private:
    const Byte* m_bytes;
    std::size_t m_length;
    std::size_t m_position;
};

void PutU16(std::vector<Byte>& image, std::size_t value) {
    image.push_back(static_cast<Byte>(value & 0xFF));
    image.push_back(static_cast<Byte>(value >> 8 & 0xFF));
}

void PutU32(std::vector<Byte>& image, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        image.push_back(static_cast<Byte>(value >> shift & 0xFF));
}

/// A line mark names the CR before the marked line, or the first line.
bool IsLineMarkOf(std::string_view text, std::uint32_t mark) {
    return mark == kFirstLineMark || (mark < text.size() && static_cast<Byte>(text[mark]) == kCr);
}

/// The offset of the marked line's start: the first line's mark wraps round to 0.
std::uint32_t LineStartOf(std::uint32_t mark) {
    return mark + 2u;
}

bool StringMarkCanBeStored(const StringMark& mark) {
    return !mark.text.empty() && mark.text.size() <= kMaxStringMarkBytes &&
           mark.text.find('\0') == std::string::npos;
}

bool ParseMarks(ImageReader& reader, std::string_view text, AttributeMarks& marks) {
    std::uint16_t lineCount = 0;
    if (!reader.ReadU16(lineCount) || lineCount > kMaxMarks)
        return false;
    for (std::uint16_t i = 0; i < lineCount; ++i) {
        std::uint32_t mark = 0;
        if (!reader.ReadU32(mark) || !IsLineMarkOf(text, mark))
            return false;
        marks.lineMarks.push_back(mark);
    }

    std::uint16_t stringCount = 0;
    if (!reader.ReadU16(stringCount) || stringCount > kMaxMarks)
        return false;
    for (std::uint16_t i = 0; i < stringCount; ++i) {
        std::uint32_t offset = 0;
        if (!reader.ReadU32(offset) || offset >= text.size())
            return false;
        std::optional<std::string_view> string = reader.ReadString();
        if (!string || string->empty() || string->size() > kMaxStringMarkBytes)
            return false;
        // A string that no longer equals the text at its offset is kept: drawing passes it
        // over, and dropping it would lose the person's mark at the next save.
        marks.stringMarks.push_back(
            {offset, static_cast<std::uint32_t>(string->size()), std::string(*string)});
    }
    return true;
}

ui::MessageResult Show(CKespoDoc& document, int id, ui::MessageStyle style = {}) {
    return ui::ShowMessage(document.Environment().platform, id, style);
}

/// An open that failed because nothing is there, as opposed to something that cannot be read.
bool IsMissing(int error) {
    return error == ENOENT || error == ENOTDIR;
}

enum class Existing { None, Ours, Foreign, Unwritable };

Existing ProbeAttributeFile(const std::string& nativePath) {
    // A folder, a device, a FIFO or a socket (or a link to one) is never replaced, so there is
    // nothing to ask.
    const std::optional<SaveTarget> target = ResolveSaveTarget(nativePath);
    if (!target || target->kind == TargetKind::Folder || target->kind == TargetKind::Other)
        return Existing::Unwritable;
    errno = 0;
    std::size_t length = 0;
    FileDescriptor file = OpenRegularFileForReading(nativePath, length);
    // A file that is there but cannot be read is not ours to replace without asking.
    if (!file.IsOpen())
        return IsMissing(errno) ? Existing::None : Existing::Foreign;
    std::array<Byte, kAttributeMagic.size()> head{};
    std::optional<std::size_t> got = ReadUpTo(file.Get(), head.data(), head.size());
    if (got && *got == head.size() &&
        std::memcmp(head.data(), kAttributeMagic.data(), head.size()) == 0)
        return Existing::Ours;
    return Existing::Foreign;
}

/// The document's marks that still fit its text, so that the file written always reads back.
AttributeMarks StorableMarks(CKespoDoc& document) {
    const std::string_view text = document.TextView();
    AttributeMarks marks;
    for (std::uint32_t mark : document.LineMarks())
        if (IsLineMarkOf(text, mark))
            marks.lineMarks.push_back(mark);
    for (const StringMark& mark : document.StringMarks())
        if (mark.offset < text.size())
            marks.stringMarks.push_back(mark);
    return marks;
}

} // namespace

std::optional<std::string> AttributeFileName(std::string_view sjisTextPath) {
    const std::optional<std::size_t> dot = ExtensionDot(sjisTextPath);
    if (!dot)
        return std::string(sjisTextPath) + "." + std::string(kAttributeExtension);
    if (EqualsIgnoringAsciiCase(sjisTextPath.substr(*dot + 1), kAttributeExtension))
        return std::nullopt;
    return std::string(sjisTextPath.substr(0, *dot + 1)) + std::string(kAttributeExtension);
}

AttributeParse ParseAttributeImage(const Byte* bytes, std::size_t length, std::string_view text,
                                   AttributeMarks& marks) {
    marks.lineMarks.clear();
    marks.stringMarks.clear();
    if (length < kAttributeMagic.size() ||
        std::memcmp(bytes, kAttributeMagic.data(), kAttributeMagic.size()) != 0)
        return AttributeParse::NotOurs;

    ImageReader reader(bytes, length, kAttributeMagic.size());
    if (!ParseMarks(reader, text, marks)) {
        marks.lineMarks.clear();
        marks.stringMarks.clear();
        return AttributeParse::Invalid;
    }
    // Moving between marks and toggling them rely on line order without repeats; files written
    // by this program already are.
    auto byLine = [](std::uint32_t a, std::uint32_t b) { return LineStartOf(a) < LineStartOf(b); };
    std::vector<std::uint32_t>& lines = marks.lineMarks;
    std::sort(lines.begin(), lines.end(), byLine);
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    return AttributeParse::Valid;
}

std::vector<Byte> BuildAttributeImage(const AttributeMarks& marks, bool saveLineMarks,
                                      bool saveStringMarks) {
    std::vector<Byte> image(kAttributeMagic.begin(), kAttributeMagic.end());

    // Never more than the reader accepts; the marks past the hundredth are left out.
    const std::size_t lineCount = saveLineMarks ? std::min(marks.lineMarks.size(), kMaxMarks) : 0;
    PutU16(image, lineCount);
    for (std::size_t i = 0; i < lineCount; ++i)
        PutU32(image, marks.lineMarks[i]);

    std::vector<const StringMark*> strings;
    if (saveStringMarks)
        for (const StringMark& mark : marks.stringMarks)
            if (strings.size() < kMaxMarks && StringMarkCanBeStored(mark))
                strings.push_back(&mark);
    PutU16(image, strings.size());
    for (const StringMark* mark : strings) {
        PutU32(image, mark->offset);
        image.insert(image.end(), mark->text.begin(), mark->text.end());
        image.push_back(0);
    }
    return image;
}

bool ReadAttributeFile(CKespoDoc& document, std::string_view sjisTextPath) {
    // Marks belong to the text just loaded; none survive from a text held before.
    document.LineMarks().clear();
    document.StringMarks().clear();
    const std::optional<std::string> name = AttributeFileName(sjisTextPath);
    if (!name)
        return true;

    errno = 0;
    std::size_t fileLength = 0;
    FileDescriptor file = OpenRegularFileForReading(SjisPathToNative(*name), fileLength);
    if (!file.IsOpen()) {
        if (IsMissing(errno))
            return true;
        Show(document, ui::kMsgAttrReadError);
        return false;
    }
    std::vector<Byte> buffer(kAttributeReadLimit);
    const std::optional<std::size_t> got = ReadUpTo(file.Get(), buffer.data(), buffer.size());
    if (!got) {
        Show(document, ui::kMsgAttrReadError);
        return false;
    }

    AttributeMarks marks;
    switch (ParseAttributeImage(buffer.data(), *got, document.TextView(), marks)) {
    case AttributeParse::NotOurs:
        return true;
    case AttributeParse::Invalid:
        Show(document, ui::kMsgAttrMismatch);
        return false;
    case AttributeParse::Valid:
        break;
    }
    // Assigned rather than moved, so that the document's vectors keep their reserved room.
    document.LineMarks().assign(marks.lineMarks.begin(), marks.lineMarks.end());
    document.StringMarks().assign(marks.stringMarks.begin(), marks.stringMarks.end());
    return true;
}

bool PrepareAttributeFile(CKespoDoc& document, std::string_view sjisTextPath, StagedFile& staged) {
    const bool saveLineMarks = document.Format().keepLineMarks;
    const bool saveStringMarks = document.Format().keepStringMarks;
    if (!saveLineMarks && !saveStringMarks)
        return true;
    const bool marked = !document.LineMarks().empty() || !document.StringMarks().empty();

    const std::optional<std::string> name = AttributeFileName(sjisTextPath);
    if (!name) {
        // Such a text has no attribute file; refusing its save would only lose the text too.
        if (marked)
            Show(document, ui::kMsgAttrSameExtension);
        return true;
    }
    const std::string nativeName = SjisPathToNative(*name);
    const Existing existing = ProbeAttributeFile(nativeName);
    if (existing == Existing::Unwritable) {
        Show(document, ui::kMsgAttrCreateError);
        return false;
    }

    if (!marked) {
        if (existing == Existing::Ours)
            staged.StageRemoval(nativeName);
        return true;
    }

    if (existing == Existing::Foreign &&
        Show(document, ui::kMsgAttrOverwriteForeign,
             {ui::MessageButtons::OkCancel, ui::MessageIcon::Question}) != ui::MessageResult::Ok)
        return false;
    const std::vector<Byte> image =
        BuildAttributeImage(StorableMarks(document), saveLineMarks, saveStringMarks);
    if (staged.Stage(nativeName, image.data(), image.size()) != StagedFile::Outcome::Staged) {
        Show(document, ui::kMsgAttrCreateError);
        return false;
    }
    return true;
}

void AttributeFiles::Read(CKespoDoc& document, std::string_view sjisPath) {
    static_cast<void>(ReadAttributeFile(document, sjisPath));
}

bool AttributeFiles::Prepare(CKespoDoc& document, std::string_view sjisPath, StagedFile& staged) {
    return PrepareAttributeFile(document, sjisPath, staged);
}

} // namespace nelvix
