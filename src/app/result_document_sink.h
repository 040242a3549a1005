// Result lines appended to a result document as they are found.
#pragma once

#include <cstdint>
#include <string_view>

#include "search/global_find_engine.h"

namespace nelvix {

class CKespoDoc;
class DocumentList;

/// Appends each result line to the document, laid out at once and shown a few dozen lines at a
/// time (a redraw for each line cost more than the rest of its append); the document's views do
/// the appending, as for every result list. Events run between the lines, so the person may
/// close the document meanwhile: the run then stops instead of writing into it. A document that
/// reached its limits (its message shown once) stops the run too.
/// Lines appended before their views repaint and move the caret after them.
inline constexpr std::uint32_t kLinesShownTogether = 64;

class ResultDocumentSink final : public ResultSink {
public:
    ResultDocumentSink(CKespoDoc& document, const DocumentList& documents)
        : m_document(document), m_documents(documents) {}
    /// `line` ends at its first NUL, if any. False once the document was closed or can take
    /// no more.
    bool Add(std::string_view line) override;
    /// Shows the lines appended since the last time; at the end of a run.
    void ShowAppended();
    bool DocumentOpen() const;
    /// The document refused a line or filled its rows: the run ended there.
    bool LimitReached() const { return m_limitReached; }
    /// Lines that went into the document; a refused line is not among them.
    std::uint32_t LinesKept() const { return m_linesKept; }

private:
    CKespoDoc& m_document;
    const DocumentList& m_documents;
    std::uint32_t m_linesKept = 0;
    std::uint32_t m_unshownFrom = 0; ///< text offset of the first line not yet shown
    std::uint32_t m_unshownLines = 0;
    bool m_limitReached = false;
};

} // namespace nelvix
