// Documents as the extraction engine reads and writes them: the lines of the source document of
// a line extraction, and the result document that both extractions fill.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "extract/extraction_engine.h"

namespace nelvix {

class CKespoDoc;
class CKespoEV;
class DocumentList;

/// The lines of a document's text, each with its line end. The table of line starts is taken
/// from the text itself, so that lines past the last laid-out row are read too.
class DocumentLines final : public ExtractionText {
public:
    explicit DocumentLines(const CKespoDoc& document);
    std::size_t LineCount() const override { return m_starts.size(); }
    std::optional<std::string_view> Line(std::size_t line) override;

private:
    std::string_view m_text;
    std::vector<std::uint32_t> m_starts;
};

/// Appends to a result document through its views, as every result list is filled. Events
/// run during a run, so the person may close the document meanwhile: the run then stops.
class DocumentResult final : public ExtractionResult {
public:
    /// `firstTextWindow` finds the document's first text window for scrolling to the end.
    DocumentResult(CKespoDoc& document, const DocumentList& documents,
                   std::function<CKespoEV*(CKespoDoc&)> firstTextWindow);
    bool Append(std::string_view sjisPiece, bool display) override;
    bool Fits(std::size_t lineBytes) const override;
    void Refresh(bool scrollToEnd) override;
    bool DocumentOpen() const;

private:
    CKespoDoc& m_document;
    const DocumentList& m_documents;
    std::function<CKespoEV*(CKespoDoc&)> m_firstTextWindow;
};

} // namespace nelvix
