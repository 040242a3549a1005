// Result lines appended to a result document as they are found.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search/global_find_engine.h"

namespace nelvix {

class CKespoDoc;
class DocumentList;

/// Appends the result lines to the document a few dozen at a time, laid out and shown together
/// (an append and a redraw for each line cost more than laying the line out); the document's
/// views do the appending, as for every result list. Lines are gathered only while the text,
/// its rows and its memory surely take them; near a limit each goes on its own, so the line
/// the document refuses is the one it always refused. Events run between the lines, so the person
/// may close the document meanwhile: the run then stops instead of writing into it. A document that
/// reached its limits (its message shown once) stops the run too.
/// Lines gathered into one append, and shown together.
inline constexpr std::uint32_t kLinesShownTogether = 64;

class ResultDocumentSink final : public ResultSink {
public:
    ResultDocumentSink(CKespoDoc& document, const DocumentList& documents)
        : m_document(document), m_documents(documents) {}
    /// `line` ends at its first NUL, if any. False once the document was closed or can take
    /// no more.
    bool Add(std::string_view line) override;
    /// Appends the lines gathered and shows those appended since the last time; at the end of
    /// a run.
    void ShowAppended();
    bool DocumentOpen() const;
    /// The document refused a line or filled its rows: the run ended there.
    bool LimitReached() const { return m_limitReached; }
    /// Lines that went into the document; a refused line is not among them.
    std::uint32_t LinesKept() const { return m_linesKept; }

private:
    /// Whether `line` can join the gathered lines: the text, its rows and its block surely
    /// take them all (the block is grown for them here).
    bool FitsWithPending(std::string_view line);
    void AppendPending();
    /// Appends `count` whole lines at once.
    void Append(std::string_view lines, std::uint32_t count);

    CKespoDoc& m_document;
    const DocumentList& m_documents;
    std::uint32_t m_linesKept = 0;
    std::uint32_t m_unshownFrom = 0; ///< text offset of the first line not yet shown
    std::uint32_t m_unshownLines = 0;
    std::string m_pending; ///< lines gathered, not yet appended
    std::uint32_t m_pendingLines = 0;
    bool m_limitReached = false;
};

} // namespace nelvix
