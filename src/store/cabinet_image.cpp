// Checking, reading and building the cabinet file's image.
#include "store/cabinet_image.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace nelvix {
namespace {

constexpr std::size_t kCountOffset = 0;
constexpr std::size_t kBlockOffsetOffset = 4;
constexpr std::size_t kFirstRecordOffset = 8;
constexpr std::size_t kBlockBytes = kDisplayBlockWords * 4;
/// From the block's offset S to the first keyword.
constexpr std::size_t kBlockAndCountBytes = kBlockBytes + 4;

constexpr std::int32_t kMinCharsPerLine = 10;
constexpr std::int32_t kMaxCharsPerLine = 250;
constexpr std::int32_t kMaxDocumentType = 2;
constexpr std::int32_t kBackColourIndexMask = 0x7FFF;

std::int32_t WordAt(const Byte* bytes, std::size_t offset) {
    std::uint32_t word = 0;
    for (std::size_t b = 0; b < 4; ++b)
        word |= static_cast<std::uint32_t>(bytes[offset + b]) << (8 * b);
    return static_cast<std::int32_t>(word);
}

void PutWord(std::vector<Byte>& image, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (std::size_t b = 0; b < 4; ++b)
        image.push_back(static_cast<Byte>(word >> (8 * b)));
}

void PutWordAt(std::vector<Byte>& image, std::size_t offset, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (std::size_t b = 0; b < 4; ++b)
        image[offset + b] = static_cast<Byte>(word >> (8 * b));
}

void PutString(std::vector<Byte>& image, const std::string& text) {
    image.insert(image.end(), text.begin(), text.end());
    image.push_back(0);
}

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

/// 0x8000 above a palette index: nothing else may be set, or the index would not be one.
bool IsValidBackColour(std::int32_t word) {
    return (word & ~kBackColourIndexMask) == kBackColourFlag &&
           InRange(word & kBackColourIndexMask, 1, kPaletteColours);
}

/// The 0-terminated string at `offset` that ends before `end`; nothing when no 0 byte does.
std::optional<std::string_view> StringAt(const Byte* bytes, std::size_t offset, std::size_t end) {
    if (offset >= end)
        return std::nullopt;
    const void* zero = std::memchr(bytes + offset, 0, end - offset);
    if (zero == nullptr)
        return std::nullopt;
    const auto length = static_cast<std::size_t>(static_cast<const Byte*>(zero) - bytes) - offset;
    return std::string_view(reinterpret_cast<const char*>(bytes + offset), length);
}

/// Reads `count` 0-terminated keywords from `offset` to the end of the image, keeping the
/// short ones; false when the strings run out before the count.
bool ReadKeywords(const Byte* bytes, std::size_t offset, std::size_t length, std::size_t count,
                  std::vector<std::string>& keywords) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::string_view> keyword = StringAt(bytes, offset, length);
        if (!keyword)
            return false;
        if (keyword->size() <= kMaxKeywordBytes)
            keywords.emplace_back(*keyword);
        offset += keyword->size() + 1;
    }
    return true;
}

/// Walks `count` records from the first record's offset; false unless they end exactly at
/// `blockOffset`.
bool ReadDocuments(const Byte* bytes, std::size_t blockOffset, std::size_t count,
                   std::vector<CabinetDocument>& documents) {
    std::size_t offset = kFirstRecordOffset;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::string_view> path = StringAt(bytes, offset, blockOffset);
        if (!path)
            return false;
        offset += path->size() + 1;
        if (blockOffset - offset < kDocumentRecordFixedBytes - 1)
            return false;
        CabinetDocument document;
        document.path = std::string(*path);
        for (std::int32_t& word : document.placement) {
            word = WordAt(bytes, offset);
            offset += 4;
        }
        document.active = WordAt(bytes, offset) != 0;
        document.readOnly = (WordAt(bytes, offset + 4) & 1) != 0;
        offset += 8;
        for (std::int32_t& word : document.viewState) {
            word = WordAt(bytes, offset);
            offset += 4;
        }
        // Such a record names no file to reopen.
        if (!document.path.empty())
            documents.push_back(std::move(document));
    }
    return offset == blockOffset;
}

bool IsWritableText(const std::string& text, std::size_t maxBytes) {
    return text.size() <= maxBytes && text.find('\0') == std::string::npos;
}

} // namespace

bool IsValidDisplayBlock(const DisplayBlock& block) {
    if (!InRange(block[kWordCharsPerLine], kMinCharsPerLine, kMaxCharsPerLine) ||
        !InRange(block[kWordLineNumbering], 0, 1) ||
        !InRange(block[kWordDocumentType], 0, kMaxDocumentType))
        return false;
    // The layout divides columns by the tab width and steps by it: it must be at least 1 and
    // no wider than a line.
    if (!InRange(block[kWordTabWidth], 1, kMaxCharsPerLine))
        return false;
    for (std::size_t word :
         {kWordMarkedLineBackColour, kWordMarkedCharBackColour, kWordTagLineBackColour})
        if (!IsValidBackColour(block[word]))
            return false;
    for (std::size_t word = kWordCKeywordColour; word <= kWordTextBackColour; ++word)
        if (!InRange(block[word], 1, kPaletteColours))
            return false;
    return true;
}

std::optional<CabinetContents> ParseCabinetImage(const Byte* bytes, std::size_t length) {
    if (length < kCabinetMinBytes || length >= kCabinetReadLimit)
        return std::nullopt;
    const std::int32_t documentCount = WordAt(bytes, kCountOffset);
    const std::int32_t blockOffsetWord = WordAt(bytes, kBlockOffsetOffset);
    if (blockOffsetWord < static_cast<std::int32_t>(kFirstRecordOffset) ||
        static_cast<std::size_t>(blockOffsetWord) > length - kBlockAndCountBytes)
        return std::nullopt;
    const auto blockOffset = static_cast<std::size_t>(blockOffsetWord);

    CabinetContents contents;
    for (std::size_t i = 0; i < kDisplayBlockWords; ++i)
        contents.block[i] = WordAt(bytes, blockOffset + i * 4);
    if (!IsValidDisplayBlock(contents.block))
        return std::nullopt;

    const std::int32_t keywordCount = WordAt(bytes, blockOffset + kBlockBytes);
    if (!InRange(keywordCount, 0, static_cast<std::int32_t>(kMaxUserKeywords)) ||
        keywordCount != contents.block[kWordKeywordCount])
        return std::nullopt;
    if (!ReadKeywords(bytes, blockOffset + kBlockAndCountBytes, length,
                      static_cast<std::size_t>(keywordCount), contents.keywords))
        return std::nullopt;
    contents.block[kWordKeywordCount] = static_cast<std::int32_t>(contents.keywords.size());

    if (!InRange(documentCount, 0, static_cast<std::int32_t>(kMaxCabinetDocuments)))
        return std::nullopt;
    if (!ReadDocuments(bytes, blockOffset, static_cast<std::size_t>(documentCount),
                       contents.documents))
        return std::nullopt;
    return contents;
}

std::vector<Byte> BuildCabinetImage(const DisplayBlock& block,
                                    const std::vector<std::string>& keywords,
                                    const std::vector<CabinetDocument>& documents) {
    std::vector<const std::string*> written;
    std::size_t keywordBytes = 0;
    for (const std::string& keyword : keywords) {
        if (written.size() == kMaxUserKeywords)
            break;
        // A keyword with a 0 byte inside would read back as two and spoil the count.
        if (!IsWritableText(keyword, kMaxKeywordBytes))
            continue;
        written.push_back(&keyword);
        keywordBytes += keyword.size() + 1;
    }

    // Records give way to the block and the keywords, so that the image can always be read.
    std::size_t recordBudget =
        kCabinetReadLimit - 1 - kFirstRecordOffset - kBlockAndCountBytes - keywordBytes;
    std::vector<Byte> image(kFirstRecordOffset, 0);
    std::int32_t recordCount = 0;
    for (const CabinetDocument& document : documents) {
        if (static_cast<std::size_t>(recordCount) == kMaxCabinetDocuments)
            break;
        const std::size_t recordBytes = document.path.size() + kDocumentRecordFixedBytes;
        if (document.path.empty() || !IsWritableText(document.path, recordBudget) ||
            recordBytes > recordBudget)
            continue;
        PutString(image, document.path);
        for (std::int32_t word : document.placement)
            PutWord(image, word);
        PutWord(image, document.active ? 1 : 0);
        PutWord(image, document.readOnly ? 1 : 0);
        for (std::int32_t word : document.viewState)
            PutWord(image, word);
        recordBudget -= recordBytes;
        ++recordCount;
    }

    PutWordAt(image, kCountOffset, recordCount);
    PutWordAt(image, kBlockOffsetOffset, static_cast<std::int32_t>(image.size()));
    DisplayBlock stored = block;
    stored[kWordKeywordCount] = static_cast<std::int32_t>(written.size());
    for (std::int32_t word : stored)
        PutWord(image, word);
    PutWord(image, stored[kWordKeywordCount]);
    for (const std::string* keyword : written)
        PutString(image, *keyword);
    return image;
}

} // namespace nelvix
