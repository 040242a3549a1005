// Reading and writing the macro file's header, and walking its command records.
#include "record/macro_file.h"

#include <algorithm>
#include <cstring>

namespace nelvix {
namespace {

std::int32_t ReadInt32(const Byte* bytes) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
        static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(value);
}

void AppendInt32(std::vector<Byte>& out, std::int64_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<Byte>(bits >> shift));
}

/// A record is at least its head, so more records than that cannot be in the bytes.
bool CountsFit(std::int32_t recordBytes, std::int32_t recordCount) {
    if (recordBytes < 0 || static_cast<std::size_t>(recordBytes) > kMacroRecordMaxBytes)
        return false;
    return recordCount >= 0 && static_cast<std::size_t>(recordCount) <=
                                   static_cast<std::size_t>(recordBytes) / kCommandRecordHeadBytes;
}

} // namespace

std::optional<MacroHeader> ParseMacroHeader(const Byte* bytes, std::size_t length) {
    const std::size_t head = std::min(length, kMacroHeadBytes);
    if (head <= kMacroCommentOffset)
        return std::nullopt;
    const Byte* comment = bytes + kMacroCommentOffset;
    const auto* end = static_cast<const Byte*>(std::memchr(comment, 0, head - kMacroCommentOffset));
    if (end == nullptr)
        return std::nullopt;
    const auto commentBytes = static_cast<std::size_t>(end - comment);

    MacroHeader header;
    header.headerSize = ReadInt32(bytes);
    header.recordBytes = ReadInt32(bytes + 4);
    header.recordCount = ReadInt32(bytes + 8);
    header.version = ReadInt32(bytes + 12);
    if (header.version != kMacroVersion || commentBytes > kMacroCommentMaxBytes ||
        header.headerSize != static_cast<std::int32_t>(commentBytes + kMacroHeaderFixedBytes) ||
        !CountsFit(header.recordBytes, header.recordCount))
        return std::nullopt;
    header.comment.assign(reinterpret_cast<const char*>(comment), commentBytes);
    return header;
}

std::string MacroComment(std::string_view sjisComment) {
    sjisComment = sjisComment.substr(0, sjisComment.find('\0'));
    const auto* text = reinterpret_cast<const Byte*>(sjisComment.data());
    std::size_t cut = 0;
    while (cut < sjisComment.size()) {
        const std::size_t next = NextCharOffset(text, sjisComment.size(), cut);
        if (next > kMacroCommentMaxBytes)
            break;
        cut = next;
    }
    return std::string(sjisComment.substr(0, cut));
}

std::vector<Byte> BuildMacroImage(const MacroHeader& header, std::span<const Byte> records) {
    const std::string comment = MacroComment(header.comment);
    std::vector<Byte> image;
    image.reserve(kMacroHeaderFixedBytes + comment.size() + records.size());
    AppendInt32(image, static_cast<std::int64_t>(kMacroHeaderFixedBytes + comment.size()));
    AppendInt32(image, static_cast<std::int64_t>(records.size()));
    AppendInt32(image, header.recordCount);
    AppendInt32(image, kMacroVersion);
    image.insert(image.end(), comment.begin(), comment.end());
    image.push_back(0);
    image.insert(image.end(), records.begin(), records.end());
    return image;
}

std::optional<CommandRecord> ReadCommandRecord(std::span<const Byte> records, std::size_t& offset) {
    if (offset > records.size() || records.size() - offset < kCommandRecordHeadBytes)
        return std::nullopt;
    const Byte* head = records.data() + offset;
    const std::int32_t length = ReadInt32(head + 8);
    const std::size_t dataOffset = offset + kCommandRecordHeadBytes;
    if (length < 0 || static_cast<std::size_t>(length) > records.size() - dataOffset)
        return std::nullopt;
    CommandRecord record;
    record.type = ReadInt32(head);
    record.code = ReadInt32(head + 4);
    record.data = records.subspan(dataOffset, static_cast<std::size_t>(length));
    offset = dataOffset + static_cast<std::size_t>(length);
    return record;
}

std::string MacroFileName(std::string_view sjisName) {
    const std::size_t extensionBytes = kMacroExtension.size();
    if (sjisName.size() >= extensionBytes) {
        const std::size_t start = sjisName.size() - extensionBytes;
        const auto* text = reinterpret_cast<const Byte*>(sjisName.data());
        // A lead byte just before the dot would take the dot as its trail byte.
        bool same = IsCharBoundary(text, 0, start);
        for (std::size_t i = 0; same && i < extensionBytes; ++i)
            same = AsciiToLower(text[start + i]) == static_cast<Byte>(kMacroExtension[i]);
        if (same)
            return std::string(sjisName);
    }
    std::string name(sjisName);
    name += kMacroExtension;
    return name;
}

} // namespace nelvix
