// The global find engine's per-file state, shared by its source files only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/byte_block.h"
#include "encoding/text_reader.h"
#include "files/posix_file.h"
#include "pattern/regex_carry.h"
#include "search/global_find_engine.h"

namespace nelvix {

struct GlobalFindEngine::FileState {
    Byte chunk[kChunkBytes + 1];
    std::string resultLine;
    std::string fileName; ///< as the file set named it; never the work file
    std::unique_ptr<FileDescriptor> file;
    /// Reads `file` as it is or as its conversion gives it; chunks are cut in that text.
    TextReader reader;
    /// The pattern of the search under way, compiled once for the whole run.
    const CompiledPattern* compiled = nullptr;
    /// The regular-expression, width-folding and multi-text strategies step one character
    /// after a match; the plain one a whole pattern length.
    bool stepByCharacter = false;
    /// A regular expression anchored with "^": it may only start where a line starts.
    bool anchoredAtLineStart = false;
    /// "FindNoneTextFile": NUL bytes are read as 0xFF so that the whole chunk is searched.
    bool nulAsFF = false;

    std::uint64_t chunkPosition = 0;
    std::int64_t nextReadPosition = 0;  ///< -1 after the last chunk
    std::uint64_t linesBeforeChunk = 0; ///< line ends in the chunks before this one
    std::uint64_t lineBase = 0;         ///< line ends before `countedTo`
    std::size_t chunkLength = 0;
    std::size_t textLength = 0; ///< of the chunk, up to its first NUL
    std::size_t searchOffset = 0;
    std::size_t countedTo = 0;     ///< line ends are counted in the chunk up to here
    std::size_t lineStart = 0;     ///< of the line that holds the last match
    std::size_t lineScannedTo = 0; ///< the chunk was searched back for `lineStart` up to here
    bool chunkStartsLine = false;
    bool needChunk = false;
    /// What the regular-expression strategy learnt in this chunk for the searches after it.
    RegexCarry regexCarry;

    /// Reads the chunk at `chunkPosition`; false on a read error.
    bool ReadChunk();
    /// How far the next search moves on from a match (or a search start) at `offset`.
    std::size_t AdvanceAt(std::size_t offset, std::size_t patternLength) const;
    /// The leftmost match at or after the search offset, as a chunk offset.
    std::optional<std::size_t> SearchChunk();
    bool IsLineStart(std::size_t offset) const;
    /// `offset` when a line starts there, else the start of the next line (or the text end).
    std::size_t NextLineStart(std::size_t offset) const;
};

} // namespace nelvix
