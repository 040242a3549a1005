// Everything painting the text window reads, gathered in one struct that the layout fills, so
// that colouring and drawing look at nothing else.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/sjis.h"
#include "text/text_document.h"

namespace nelvix {

class CommentTables;

/// The cabinet's user keywords and its built-in C and C++ tables, in their order.
struct KeywordLists {
    std::span<const std::string> user;
    std::span<const std::string> c;
    std::span<const std::string> cpp;
};

struct TextPaintInput {
    const Byte* text = nullptr;
    std::uint32_t textLength = 0;
    /// The row table: ascending starts, row 0 at 0; `rowCount` of them.
    const std::uint32_t* rowStarts = nullptr;
    std::uint32_t rowCount = 0;

    int charsPerLine = 200; ///< CPL
    int tabColumns = 4;
    int cellWidth = 8;  ///< pixels
    int rowHeight = 16; ///< pixels
    int leftMargin = 0;
    int topMargin = 0;
    std::uint32_t topRow = 0;
    int firstColumn = 0;
    int clientWidth = 0;
    int clientHeight = 0;

    DisplayColours colours;
    bool showLineEnds = true; ///< "改行ﾏｰｸを表示"
    bool showTabs = false;    ///< "ﾀﾌﾞﾏｰｸを表示"
    DocumentType documentType = DocumentType::Plain;
    bool colorAreaComment = false;         ///< "ColorAreaComment"
    bool userKeyWordWithDelimiter = false; ///< "UserKeyWordWithDelimiter"

    /// Offsets of the CR before each marked line, kFirstLineMark for the first line.
    std::span<const std::uint32_t> lineMarks;
    std::span<const StringMark> stringMarks;
    KeywordLists keywords;
    /// Block-comment tables; only read in C and C++ documents with "ColorAreaComment".
    const CommentTables* commentTables = nullptr;

    bool IsCDocument() const {
        return documentType == DocumentType::C || documentType == DocumentType::Cpp;
    }
};

/// The row holding `offset` (the last row for offsets past it); nothing without rows.
std::optional<std::uint32_t> RowOfOffset(const TextPaintInput& input, std::uint32_t offset);

/// The offset just past the row: the next row's start, or the text length for the last row.
std::uint32_t RowEnd(const TextPaintInput& input, std::uint32_t row);

} // namespace nelvix
