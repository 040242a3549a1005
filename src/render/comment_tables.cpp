// Keeping the "/*" and "*/" tables in step with insertions, and pairing them into comments.
#include "render/comment_tables.h"

#include <algorithm>

#include "ui/messages.h"

namespace nelvix {

namespace {

constexpr Byte kSlash = '/';
constexpr Byte kStar = '*';

bool IsPair(const Byte* text, std::uint32_t length, std::uint32_t offset, Byte first, Byte second) {
    return offset + 1 < length && text[offset] == first && text[offset + 1] == second;
}

bool IsLineStart(const Byte* text, std::uint32_t offset) {
    return offset >= 2 && text[offset - 2] == kCr && text[offset - 1] == kLf;
}

} // namespace

void CommentTables::Clear() {
    m_openers.count = 0;
    m_closers.count = 0;
}

bool CommentTables::Build(ui::Platform& platform, const Byte* text, std::uint32_t textLength) {
    Clear();
    return UpdateCommentTables(platform, text, textLength, 0, textLength);
}

bool CommentTables::UpdateCommentTables(ui::Platform& platform, const Byte* text,
                                        std::uint32_t textLength, std::uint32_t offset,
                                        std::uint32_t insertedLength) {
    if (offset > textLength || insertedLength > textLength - offset)
        return true;
    // Both tables are always moved: a full opener table must not leave the closers behind
    // at their old offsets.
    const bool openersKept =
        Update(m_openers, text, textLength, offset, insertedLength, kSlash, kStar);
    const bool closersKept =
        Update(m_closers, text, textLength, offset, insertedLength, kStar, kSlash);
    if (openersKept && closersKept)
        return true;
    ui::ShowMessage(platform, ui::kMsgTooManyComments);
    return false;
}

bool CommentTables::Update(Table& table, const Byte* text, std::uint32_t textLength,
                           std::uint32_t offset, std::uint32_t insertedLength, Byte first,
                           Byte second) {
    std::uint32_t* entries = table.entries.data();
    const std::uint32_t searchFrom = offset > 0 ? offset - 1 : 0;
    std::size_t index = static_cast<std::size_t>(
        std::lower_bound(entries, entries + table.count, searchFrom) - entries);
    // The inserted text splits a pair that began just before it.
    if (offset > 0 && index < table.count && entries[index] == searchFrom) {
        std::copy(entries + index + 1, entries + table.count, entries + index);
        --table.count;
    }
    for (std::size_t i = index; i < table.count; ++i)
        entries[i] += insertedLength;

    const std::uint32_t searchEnd = offset + insertedLength; // pairs start before this
    std::size_t found = 0;
    for (std::uint32_t at = searchFrom; at < searchEnd; ++at)
        found += IsPair(text, textLength, at, first, second) ? 1 : 0;
    if (found == 0)
        return true;

    // The table keeps the first occurrences of the text: what follows the new entries moves
    // up and loses its tail when there is no room.
    const std::size_t total = table.count + found;
    const std::size_t kept = std::min(total, kMaxCommentEntries);
    if (index + found < kept)
        std::copy_backward(entries + index, entries + (kept - found), entries + kept);
    std::size_t write = index;
    for (std::uint32_t at = searchFrom; at < searchEnd && write < kept; ++at) {
        if (IsPair(text, textLength, at, first, second))
            entries[write++] = at;
    }
    table.count = kept;
    return total <= kMaxCommentEntries;
}

bool LineCommentProbe::Before(std::uint32_t offset) {
    if (offset < m_checkedTo) {
        m_checkedTo = 0;
        m_found = false;
    }
    bool found = false;
    bool lineStartSeen = false;
    // Pairs that end at or before m_checkedTo were looked at by the last question; their
    // answer still holds unless a line starts in between.
    for (std::uint32_t at = offset; at-- > m_checkedTo;) {
        if (IsPair(m_text, m_length, at, kSlash, kSlash)) {
            found = true;
            break;
        }
        if (IsLineStart(m_text, at)) {
            lineStartSeen = true;
            break;
        }
    }
    if (!found && !lineStartSeen && m_checkedTo > 0)
        found = m_found;
    m_checkedTo = offset;
    m_found = found;
    return found;
}

bool BlockCommentWalk::IsPairAt(std::uint32_t offset, Byte first, Byte second) const {
    return IsPair(m_text, m_length, offset, first, second);
}

std::optional<BlockComment> BlockCommentWalk::Next() {
    while (m_openerIndex < m_openers.size()) {
        const std::uint32_t opener = m_openers[m_openerIndex++];
        // Entries that no longer point at a pair are passed over rather than trusted.
        if (opener < m_resume || !IsPairAt(opener, kSlash, kStar) || m_probe.Before(opener))
            continue;
        while (m_closerIndex < m_closers.size() && m_closers[m_closerIndex] < opener + 2)
            ++m_closerIndex;
        for (; m_closerIndex < m_closers.size(); ++m_closerIndex) {
            const std::uint32_t closer = m_closers[m_closerIndex];
            if (!IsPairAt(closer, kStar, kSlash) || m_probe.Before(closer))
                continue;
            m_resume = closer + 2;
            ++m_closerIndex;
            return BlockComment{opener, closer + 2};
        }
        m_resume = m_length;
        m_openerIndex = m_openers.size();
        return BlockComment{opener, m_length};
    }
    return std::nullopt;
}

std::optional<BlockComment> BlockCommentAt(const CommentTables& tables, const Byte* text,
                                           std::uint32_t textLength, std::uint32_t offset) {
    BlockCommentWalk walk(tables, text, textLength);
    while (const auto comment = walk.Next()) {
        if (comment->start > offset)
            break;
        if (offset < comment->end)
            return comment;
    }
    return std::nullopt;
}

bool TouchesComment(const Byte* text, std::uint32_t textLength, std::uint32_t offset,
                    std::uint32_t insertedLength, std::uint32_t lastVisibleChar) {
    if (insertedLength == 0 || offset > textLength || insertedLength > textLength - offset)
        return false;
    const std::uint32_t end = offset + insertedLength;
    bool slashes = false;
    for (std::uint32_t at = offset > 0 ? offset - 1 : 0; at < end; ++at) {
        if (IsPair(text, textLength, at, kSlash, kStar) ||
            IsPair(text, textLength, at, kStar, kSlash))
            return true;
        slashes = slashes || IsPair(text, textLength, at, kSlash, kSlash);
    }
    if (!slashes)
        return false;
    // A new line comment matters when the rest of its line holds a pair it now hides, or
    // when that line runs on out of sight.
    for (std::uint32_t at = end; at < textLength && at < lastVisibleChar; ++at) {
        if (IsPair(text, textLength, at, kCr, kLf))
            return false;
        if (IsPair(text, textLength, at, kSlash, kStar) ||
            IsPair(text, textLength, at, kStar, kSlash))
            return true;
    }
    return true;
}

} // namespace nelvix
