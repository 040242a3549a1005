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
    if (m_unshownLines == 0)
        m_unshownFrom = before;
    HintArgument argument;
    argument.text = reinterpret_cast<const Byte*>(line.data());
    argument.length = line.find('\0');
    if (argument.length == std::string_view::npos)
        argument.length = line.size();
    m_document.UpdateAllViews(UpdateHint::AppendNoLayout, argument);
    if (m_document.TextLength() != before) {
        ++m_linesKept;
        ++m_unshownLines;
    }
    m_limitReached = m_document.AppendLimitReached();
    if (m_limitReached || m_unshownLines >= kLinesShownTogether)
        ShowAppended();
    return !m_limitReached;
}

void ResultDocumentSink::ShowAppended() {
    if (m_unshownLines == 0 || !DocumentOpen())
        return;
    HintArgument argument;
    argument.length = m_unshownFrom;
    m_document.UpdateAllViews(UpdateHint::ShowAppended, argument);
    m_unshownLines = 0;
}

} // namespace nelvix
