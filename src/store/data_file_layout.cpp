// The data file's layout: the 80-byte header, the three histories, and the optional sections
// (editor list, rule set, extraction file history, browser list), read and built.
#include "store/data_file.h"

#include <algorithm>
#include <array>

#include "base/byte_record.h"
#include "search/result_line.h"

namespace nelvix {
namespace {

/// Search strings, replacement strings, file patterns.
constexpr std::size_t kHistoryCount = 3;

// Option bits. Bit 1 is set when half-width and full-width are NOT distinguished.
constexpr std::uint32_t kOptionCaseSensitive = 1u << 0;
constexpr std::uint32_t kOptionWidthInsensitive = 1u << 1;
constexpr std::uint32_t kOptionRegularExpression = 1u << 2;

/// The extraction file history's subdirectory flag and count.
constexpr std::size_t kExtractionHistoryHeadBytes = 2 * kRecordIntBytes;

/// Reads a file image of L bytes as the program always has: integers must lie inside the L
/// bytes, while the byte at L counts as a NUL, so that a last string may end at L.
class ImageReader {
public:
    explicit ImageReader(std::span<const Byte> image)
        : m_length(image.size()), m_padded(image.begin(), image.end()) {
        m_padded.push_back(0);
        m_reader = ByteReader(m_padded);
    }
    ImageReader(const ImageReader&) = delete;
    ImageReader& operator=(const ImageReader&) = delete;

    /// True while the read position is below L.
    bool InsideImage() const { return m_reader.Offset() < m_length; }
    std::size_t RemainingInImage() const {
        return InsideImage() ? m_length - m_reader.Offset() : 0;
    }
    std::optional<std::uint32_t> U32() {
        if (RemainingInImage() < kRecordIntBytes)
            return std::nullopt;
        return m_reader.U32();
    }
    /// A string that begins before L and is at most `maxBytes` long.
    std::optional<std::string> String(std::size_t maxBytes) {
        if (!InsideImage())
            return std::nullopt;
        const std::optional<std::string_view> text = m_reader.CString(maxBytes);
        if (!text)
            return std::nullopt;
        return std::string(*text);
    }
    /// The bytes from the read position up to L.
    std::span<const Byte> Rest() const {
        return std::span<const Byte>(m_padded).subspan(m_reader.Offset(), RemainingInImage());
    }
    void Skip(std::size_t bytes) { SkipTo(m_reader.Offset() + bytes); }
    void SkipTo(std::size_t offset) { m_reader = ByteReader(m_padded, offset); }

private:
    std::size_t m_length;
    std::vector<Byte> m_padded;
    ByteReader m_reader{std::span<const Byte>()};
};

bool ReadStrings(ImageReader& reader, std::uint32_t count, std::size_t maxBytes,
                 std::vector<std::string>& into) {
    std::vector<std::string> strings;
    strings.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::optional<std::string> text = reader.String(maxBytes);
        if (!text)
            return false;
        strings.push_back(std::move(*text));
    }
    into = std::move(strings);
    return true;
}

/// A count of a list that holds at most 20 entries.
std::optional<std::uint32_t> ReadListCount(ImageReader& reader) {
    const std::optional<std::uint32_t> count = reader.U32();
    if (!count || *count > kDataFileListEntries)
        return std::nullopt;
    return count;
}

/// A tool-list block: a count, then program, parameters and working directory per entry.
bool ReadToolList(ImageReader& reader, std::vector<ToolEntry>& into) {
    const std::optional<std::uint32_t> count = ReadListCount(reader);
    if (!count)
        return false;
    std::vector<ToolEntry> tools(*count);
    for (ToolEntry& tool : tools) {
        std::optional<std::string> program = reader.String(kMaxPathBytes);
        std::optional<std::string> parameters =
            program ? reader.String(kMaxPathBytes) : std::nullopt;
        std::optional<std::string> directory =
            parameters ? reader.String(kMaxPathBytes) : std::nullopt;
        if (!directory)
            return false;
        tool = {std::move(*program), std::move(*parameters), std::move(*directory)};
    }
    into = std::move(tools);
    return true;
}

bool ReadEditors(ImageReader& reader, DataFileContents& into) {
    return ReadToolList(reader, into.editors);
}

bool ReadBrowsers(ImageReader& reader, DataFileContents& into) {
    return ReadToolList(reader, into.browsers);
}

// A record that passes the check but does not read back whole is refused like a bad one.
bool ReadRules(ImageReader& reader, DataFileContents& into) {
    const std::span<const Byte> rest = reader.Rest();
    const std::size_t size = ValidateRuleSetRecord(rest);
    if (size == 0 || DeserializeRuleSet(rest.first(size), into.rules) != size)
        return false;
    reader.Skip(size);
    return true;
}

bool ReadExtractionFiles(ImageReader& reader, DataFileContents& into) {
    if (reader.RemainingInImage() < kExtractionHistoryHeadBytes)
        return false;
    const std::optional<std::uint32_t> subdirectories = reader.U32();
    const std::optional<std::uint32_t> count = ReadListCount(reader);
    if (!subdirectories || !count)
        return false;
    if (!ReadStrings(reader, *count, kMaxPathBytes, into.extractionFiles.patterns))
        return false;
    into.extractionFiles.subdirectories = *subdirectories != 0;
    return true;
}

using SectionReader = bool (*)(ImageReader&, DataFileContents&);
/// Sections 4 to 7, in file order; a file may end after any of them.
constexpr std::array<SectionReader, 4> kOptionalSections{ReadEditors, ReadRules,
                                                         ReadExtractionFiles, ReadBrowsers};

bool ReadHeader(ImageReader& reader, std::size_t length, DataFileContents& into,
                std::array<std::uint32_t, kHistoryCount>& counts) {
    const std::optional<std::uint32_t> total = reader.U32();
    if (!total || *total != length)
        return false;
    for (std::uint32_t& count : counts) {
        const std::optional<std::uint32_t> read = ReadListCount(reader);
        if (!read)
            return false;
        count = *read;
    }
    const std::uint32_t options = reader.U32().value_or(0);
    into.caseSensitive = (options & kOptionCaseSensitive) != 0;
    into.widthSensitive = (options & kOptionWidthInsensitive) == 0;
    into.regularExpression = (options & kOptionRegularExpression) != 0;
    into.subdirectories = reader.U32().value_or(0) != 0;
    into.findDirection = static_cast<std::int32_t>(reader.U32().value_or(0));
    // The reserved bytes are not looked at.
    reader.SkipTo(kDataFileHeaderBytes);
    return true;
}

/// Reads every section the image reaches into `into`; false at the first fault, with `into`
/// then partly overwritten.
bool ReadImage(std::span<const Byte> bytes, DataFileContents& into) {
    if (bytes.size() < kDataFileHeaderBytes || bytes.size() >= kDataFileBufferBytes)
        return false;
    ImageReader reader(bytes);
    std::array<std::uint32_t, kHistoryCount> counts{};
    if (!ReadHeader(reader, bytes.size(), into, counts) ||
        !ReadStrings(reader, counts[0], kMaxPatternBytes, into.searchStrings) ||
        !ReadStrings(reader, counts[1], kMaxPatternBytes, into.replacementStrings) ||
        !ReadStrings(reader, counts[2], kMaxPathBytes, into.filePatterns))
        return false;
    for (SectionReader read : kOptionalSections) {
        if (!reader.InsideImage())
            break;
        if (!read(reader, into))
            return false;
    }
    return true;
}

/// The string cut to `maxBytes` on a whole character when it is longer.
std::string_view Limited(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    return text.substr(0,
                       WholeCharacterBytes(reinterpret_cast<const Byte*>(text.data()), maxBytes));
}

template <typename T> std::span<const T> FirstEntries(const std::vector<T>& list) {
    return std::span<const T>(list).first(std::min(list.size(), kDataFileListEntries));
}

void AppendStrings(std::vector<Byte>& out, const std::vector<std::string>& strings,
                   std::size_t maxBytes) {
    for (const std::string& text : FirstEntries(strings))
        PutCString(out, Limited(text, maxBytes));
}

void AppendToolList(std::vector<Byte>& out, const std::vector<ToolEntry>& tools) {
    const std::span<const ToolEntry> written = FirstEntries(tools);
    PutU32(out, static_cast<std::uint32_t>(written.size()));
    for (const ToolEntry& tool : written) {
        PutCString(out, Limited(tool.program, kMaxPathBytes));
        PutCString(out, Limited(tool.parameters, kMaxPathBytes));
        PutCString(out, Limited(tool.workingDirectory, kMaxPathBytes));
    }
}

void AppendHeader(std::vector<Byte>& out, const DataFileContents& contents) {
    PutU32(out, 0); // the total length, set at the end
    for (const std::vector<std::string>* history :
         {&contents.searchStrings, &contents.replacementStrings, &contents.filePatterns})
        PutU32(out, static_cast<std::uint32_t>(FirstEntries(*history).size()));
    std::uint32_t options = 0;
    if (contents.caseSensitive)
        options |= kOptionCaseSensitive;
    if (!contents.widthSensitive)
        options |= kOptionWidthInsensitive;
    if (contents.regularExpression)
        options |= kOptionRegularExpression;
    PutU32(out, options);
    PutU32(out, contents.subdirectories ? 1 : 0);
    PutI32(out, contents.findDirection);
    out.resize(kDataFileHeaderBytes, 0);
}

} // namespace

bool ValidateDataFile(std::span<const Byte> bytes) {
    DataFileContents scratch;
    return ReadImage(bytes, scratch);
}

bool ParseDataFile(std::span<const Byte> bytes, DataFileContents& contents) {
    DataFileContents read = contents;
    if (!ReadImage(bytes, read))
        return false;
    contents = std::move(read);
    return true;
}

std::optional<std::vector<Byte>> BuildDataFile(const DataFileContents& contents) {
    std::vector<Byte> image;
    image.reserve(kDataFileBufferBytes);
    AppendHeader(image, contents);
    AppendStrings(image, contents.searchStrings, kMaxPatternBytes);
    AppendStrings(image, contents.replacementStrings, kMaxPatternBytes);
    AppendStrings(image, contents.filePatterns, kMaxPathBytes);
    AppendToolList(image, contents.editors);
    AppendRuleSetRecord(contents.rules, image);
    PutU32(image, contents.extractionFiles.subdirectories ? 1 : 0);
    PutU32(image,
           static_cast<std::uint32_t>(FirstEntries(contents.extractionFiles.patterns).size()));
    AppendStrings(image, contents.extractionFiles.patterns, kMaxPathBytes);
    AppendToolList(image, contents.browsers);
    // The reader takes only files shorter than its buffer.
    if (image.size() >= kDataFileBufferBytes)
        return std::nullopt;
    const auto total = static_cast<std::uint32_t>(image.size());
    for (std::size_t i = 0; i < kRecordIntBytes; ++i)
        image[i] = static_cast<Byte>(total >> (8 * i));
    return image;
}

} // namespace nelvix
