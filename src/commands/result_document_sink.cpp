// Appending result lines to a result document.
#include "commands/result_document_sink.h"

#include <algorithm>

#include "text/document_list.h"
#include "text/text_document.h"

namespace nelvix {

bool ResultDocumentSink::DocumentOpen() const {
    const auto& documents = m_documents.Documents();
    return std::any_of(documents.begin(), documents.end(),
                       [&](const auto& owned) { return owned.get() == &m_document; });
}

bool ResultDocumentSink::Add(std::string_view line) {
    if (m_limitReached || !DocumentOpen())
        return false;
    line = line.substr(0, line.find('\0'));
    if (line.empty())
        return true;
    if (FitsWithPending(line)) {
        m_pending.append(line);
        ++m_pendingLines;
        if (m_pendingLines >= kLinesShownTogether)
            ShowAppended();
        return !m_limitReached;
    }
    // Near a limit the views take the lines one at a time, so that the line they refuse, or
    // that fills the rows, is the same one as ever.
    AppendPending();
    Append(line, 1);
    if (!m_limitReached && m_unshownLines >= kLinesShownTogether)
        ShowAppended();
    return !m_limitReached;
}

bool ResultDocumentSink::FitsWithPending(std::string_view line) {
    const std::uint64_t bytes =
        std::uint64_t{m_document.TextLength()} + m_pending.size() + line.size();
    // A line takes at most a row for each of its bytes, and the empty row after it.
    const std::uint64_t rows = std::uint64_t{m_document.Rows().Count()} + m_pending.size() +
                               line.size() + 2 * (m_pendingLines + 1);
    if (bytes + 2 >= kMaxTextBytes || rows >= kMaxRows)
        return false;
    // The room is made now: a block that cannot grow refuses this very line.
    switch (m_document.GrowText(static_cast<std::uint32_t>(bytes))) {
    case GrowResult::Fits:
        return true;
    case GrowResult::Grown:
        m_document.UpdateAllViews(UpdateHint::TextMoved);
        return true;
    case GrowResult::OutOfMemory:
    case GrowResult::TooLarge:
        return false;
    }
    return false;
}

void ResultDocumentSink::AppendPending() {
    if (m_pendingLines == 0)
        return;
    Append(m_pending, m_pendingLines);
    m_pending.clear();
    m_pendingLines = 0;
}

void ResultDocumentSink::Append(std::string_view lines, std::uint32_t count) {
    const std::uint32_t before = m_document.TextLength();
    if (m_unshownLines == 0)
        m_unshownFrom = before;
    HintArgument argument;
    argument.text = reinterpret_cast<const Byte*>(lines.data());
    argument.length = lines.size();
    m_document.UpdateAllViews(UpdateHint::AppendNoLayout, argument);
    if (m_document.TextLength() != before) {
        m_linesKept += count;
        m_unshownLines += count;
    }
    m_limitReached = m_document.AppendLimitReached();
    if (m_limitReached)
        ShowAppended();
}

void ResultDocumentSink::ShowAppended() {
    if (!DocumentOpen())
        return;
    AppendPending();
    if (m_unshownLines == 0)
        return;
    HintArgument argument;
    argument.length = m_unshownFrom;
    m_document.UpdateAllViews(UpdateHint::ShowAppended, argument);
    m_unshownLines = 0;
}

} // namespace nelvix
