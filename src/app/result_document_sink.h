// Result lines appended to a result document as they are found.
#pragma once

#include <string_view>

#include "search/global_find_engine.h"

namespace nelvix {

class CKespoDoc;
class DocumentList;

/// Appends each result line to the document with hint 48; the document's views do the
/// appending, as for every result list. Events run between the lines, so the person may close
/// the document meanwhile: the run then stops instead of writing into it.
class ResultDocumentSink final : public ResultSink {
public:
    ResultDocumentSink(CKespoDoc& document, const DocumentList& documents)
        : m_document(document), m_documents(documents) {}
    /// `line` must be followed by a NUL, as the engine's result lines are. False once the
    /// document was closed.
    bool Add(std::string_view line) override;
    bool DocumentOpen() const;

private:
    CKespoDoc& m_document;
    const DocumentList& m_documents;
};

} // namespace nelvix
