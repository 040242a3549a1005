// The block-comment tables of a C or C++ document: where every "/*" and "*/" stands, kept in
// step with the text as it is appended, and the walk that pairs them into comments.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "base/sjis.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// Entries each table holds; a text with more "/*" (or "*/") keeps only its first ones.
inline constexpr std::size_t kMaxCommentEntries = 512;

class CommentTables {
public:
    void Clear();
    /// The tables of the whole text, as when a document is loaded; false as for an insertion.
    bool Build(ui::Platform& platform, const Byte* text, std::uint32_t textLength);
    /// Follows an insertion of `insertedLength` bytes at `offset`; `text` and `textLength`
    /// are the text after it. Each table ends up holding the first kMaxCommentEntries
    /// occurrences of the text, exactly as a build over the whole text would; when one had to
    /// be left out, message 59406 is shown once and false comes back.
    bool UpdateCommentTables(ui::Platform& platform, const Byte* text, std::uint32_t textLength,
                             std::uint32_t offset, std::uint32_t insertedLength);

    std::span<const std::uint32_t> Openers() const {
        return {m_openers.entries.data(), m_openers.count};
    }
    std::span<const std::uint32_t> Closers() const {
        return {m_closers.entries.data(), m_closers.count};
    }

private:
    struct Table {
        std::array<std::uint32_t, kMaxCommentEntries> entries{};
        std::size_t count = 0;
    };
    /// False when an occurrence was left out for want of room.
    static bool Update(Table& table, const Byte* text, std::uint32_t textLength,
                       std::uint32_t offset, std::uint32_t insertedLength, Byte first, Byte second);

    Table m_openers;
    Table m_closers;
};

/// Answers "does a "//" stand on this offset's line, before it?" for rising offsets without
/// scanning a long line again for each question.
class LineCommentProbe {
public:
    LineCommentProbe(const Byte* text, std::uint32_t textLength)
        : m_text(text), m_length(textLength) {}
    /// True when a "//" starts at or after the start of the line holding `offset` and its
    /// second "/" lies at or before `offset`. Offsets may come in any order; rising ones are
    /// cheapest.
    bool Before(std::uint32_t offset);

private:
    const Byte* m_text;
    std::uint32_t m_length;
    std::uint32_t m_checkedTo = 0;
    bool m_found = false;
};

/// A block comment from its "/*" up to the "/" of its "*/"; `end` is exclusive and is the text
/// length for a comment that is never closed.
struct BlockComment {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool operator==(const BlockComment&) const = default;
};

/// The block comments of a text in order. A "/*" inside a comment opens nothing; a "/*" or
/// "*/" that follows a "//" on its line is part of a line comment and neither opens nor closes.
class BlockCommentWalk {
public:
    BlockCommentWalk(const CommentTables& tables, const Byte* text, std::uint32_t textLength)
        : m_openers(tables.Openers()), m_closers(tables.Closers()), m_text(text),
          m_length(textLength), m_probe(text, textLength) {}
    /// Nothing when no comment is left.
    std::optional<BlockComment> Next();

private:
    bool IsPairAt(std::uint32_t offset, Byte first, Byte second) const;

    std::span<const std::uint32_t> m_openers;
    std::span<const std::uint32_t> m_closers;
    const Byte* m_text;
    std::uint32_t m_length;
    LineCommentProbe m_probe;
    std::size_t m_openerIndex = 0;
    std::size_t m_closerIndex = 0;
    std::uint32_t m_resume = 0;
};

/// The block comment that holds `offset`; nothing when it is outside every block comment.
std::optional<BlockComment> BlockCommentAt(const CommentTables& tables, const Byte* text,
                                           std::uint32_t textLength, std::uint32_t offset);

/// Whether inserting `insertedLength` bytes at `offset` (already in `text`) can change block
/// comments: the insertion holds "/*" or "*/" or forms one at an edge, or it brings a "//"
/// onto a line whose rest holds "/*" or "*/" or runs past `lastVisibleChar`.
bool TouchesComment(const Byte* text, std::uint32_t textLength, std::uint32_t offset,
                    std::uint32_t insertedLength, std::uint32_t lastVisibleChar);

} // namespace nelvix
