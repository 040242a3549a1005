// The source and result documents of an extraction.
#include "commands/extraction_document.h"

#include <algorithm>
#include <limits>

#include "base/sjis.h"
#include "text/document_list.h"
#include "text/text_document.h"
#include "view/text_window.h"

namespace nelvix {

// A line starts after CR LF only, as in the document's line numbering and in a global
// extraction: a lone LF, which a text read as Shift-JIS with CR LF may hold, ends no line. The
// walk goes by characters, so the second byte of a double-byte character is never a line end.
DocumentLines::DocumentLines(const CKespoDoc& document) : m_text(document.TextView()) {
    const auto* bytes = reinterpret_cast<const Byte*>(m_text.data());
    const std::size_t length = m_text.size();
    if (length == 0)
        return;
    m_starts.push_back(0);
    for (std::size_t at = 0; at < length;) {
        const bool crLf = bytes[at] == kCr && at + 1 < length && bytes[at + 1] == kLf;
        at += IsLeadByte(bytes[at]) || bytes[at] == kCr ? 2 : 1;
        if (crLf && at < length)
            m_starts.push_back(static_cast<std::uint32_t>(at));
    }
}

std::optional<std::string_view> DocumentLines::Line(std::size_t line) {
    if (line >= m_starts.size())
        return std::nullopt;
    const std::size_t end = line + 1 < m_starts.size() ? m_starts[line + 1] : m_text.size();
    return m_text.substr(m_starts[line], end - m_starts[line]);
}

DocumentResult::DocumentResult(CKespoDoc& document, const DocumentList& documents,
                               std::function<CKespoEV*(CKespoDoc&)> firstTextWindow)
    : m_document(document), m_documents(documents), m_firstTextWindow(std::move(firstTextWindow)) {}

bool DocumentResult::DocumentOpen() const {
    const auto& documents = m_documents.Documents();
    return std::any_of(documents.begin(), documents.end(),
                       [&](const auto& owned) { return owned.get() == &m_document; });
}

bool DocumentResult::Append(std::string_view sjisPiece, bool display) {
    if (!DocumentOpen() || m_document.FirstView() == nullptr || m_document.AppendLimitReached())
        return false;
    if (sjisPiece.empty())
        return true;
    const std::uint32_t before = m_document.TextLength();
    HintArgument argument;
    argument.text = reinterpret_cast<const Byte*>(sjisPiece.data());
    argument.length = sjisPiece.size();
    m_document.UpdateAllViews(display ? UpdateHint::AppendLength : UpdateHint::AppendNoLayout,
                              argument);
    // A text that could not take the piece, or whose rows are full (its message was shown),
    // ends the run.
    return m_document.TextLength() == before + sjisPiece.size() && !m_document.AppendLimitReached();
}

bool DocumentResult::Fits(std::size_t lineBytes) const {
    const auto bytes = static_cast<std::uint32_t>(
        std::min<std::size_t>(lineBytes, std::numeric_limits<std::uint32_t>::max()));
    return m_document.CheckNearLimit(1, bytes) == NearLimit::None;
}

void DocumentResult::Refresh(bool scrollToEnd) {
    if (!DocumentOpen())
        return;
    m_document.UpdateAllViews(UpdateHint::RedrawAfterSettings);
    if (!scrollToEnd || m_document.Rows().Count() == 0)
        return;
    if (CKespoEV* window = m_firstTextWindow(m_document))
        window->ScrollToRow(m_document.Rows().Count() - 1u, ScrollMode::Bottom, true);
}

} // namespace nelvix
