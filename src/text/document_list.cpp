// The document template: open documents in order of opening.
#include "text/document_list.h"

#include <algorithm>

#include "base/native_path.h"
#include "ui/message_table.h"
#include "ui/messages.h"

namespace nelvix {

CKespoDoc* DocumentList::CreateUntitled() {
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(m_environment);
    if (!document)
        return nullptr;
    ++m_untitledCount;
    document->SetTitle(ui::MessageText(ui::kMsgUntitled) + std::to_string(m_untitledCount));
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

CKespoDoc* DocumentList::Open(std::string_view sjisPath) {
    if (!ui::CheckMemory(m_environment.platform, ui::kDefaultMemoryCheck))
        return nullptr;
    // An open document is shown again, never loaded twice.
    if (CKespoDoc* open = FindByPath(sjisPath))
        return open;
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(m_environment);
    if (!document || !document->OnOpenDocument(sjisPath))
        return nullptr;
    m_documents.push_back(std::move(document));
    return m_documents.back().get();
}

CKespoDoc* DocumentList::FindByPath(std::string_view sjisPath) const {
    if (sjisPath.empty())
        return nullptr;
    for (const auto& document : m_documents)
        if (document->PathName() == sjisPath)
            return document.get();
    const std::string wanted = AbsoluteSjisPath(sjisPath);
    for (const auto& document : m_documents)
        if (!document->PathName().empty() && AbsoluteSjisPath(document->PathName()) == wanted)
            return document.get();
    return nullptr;
}

void DocumentList::Close(CKespoDoc& document) {
    auto it = std::find_if(m_documents.begin(), m_documents.end(),
                           [&](const auto& owned) { return owned.get() == &document; });
    if (it == m_documents.end())
        return;
    m_documents.erase(it);
    if (m_environment.refreshWindowBar)
        m_environment.refreshWindowBar();
}

} // namespace nelvix
