// Appending result lines to a result document.
#include "app/result_document_sink.h"

#include <algorithm>

#include "text/document_list.h"
#include "text/kespo_doc.h"

namespace nelvix {

bool ResultDocumentSink::DocumentOpen() const {
    const auto& documents = m_documents.Documents();
    return std::any_of(documents.begin(), documents.end(),
                       [&](const auto& owned) { return owned.get() == &m_document; });
}

bool ResultDocumentSink::Add(std::string_view line) {
    if (m_limitReached || !DocumentOpen())
        return false;
    const std::uint32_t before = m_document.TextLength();
    HintArgument argument;
    argument.text = reinterpret_cast<const Byte*>(line.data());
    argument.length = line.size();
    m_document.UpdateAllViews(UpdateHint::AppendText, argument);
    if (m_document.TextLength() != before)
        ++m_linesKept;
    m_limitReached = m_document.AppendLimitReached();
    return !m_limitReached;
}

} // namespace nelvix
