// The document template: open documents in order of opening, found by path, untitled ones
// numbered as they are made.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_document.h"

namespace nelvix {

class DocumentList {
public:
    explicit DocumentList(DocumentEnvironment& environment) : m_environment(environment) {}

    /// A new untitled document titled "無題" and the next running number; null when memory ran
    /// out.
    CKespoDoc* CreateUntitled();
    /// After the 1 MiB memory check: the document already open for `sjisPath` (for the caller
    /// to activate), else a new one loaded from it; null when the memory check or the load
    /// failed (each has shown its message).
    CKespoDoc* Open(std::string_view sjisPath);
    /// The open document of that path, spelled exactly so or naming the same absolute path
    /// ("./", ".." resolved); null when none. Untitled documents have no path.
    CKespoDoc* FindByPath(std::string_view sjisPath) const;
    /// Destroys the document and refreshes the window bar.
    void Close(CKespoDoc& document);

    const std::vector<std::unique_ptr<CKespoDoc>>& Documents() const { return m_documents; }

private:
    DocumentEnvironment& m_environment;
    std::vector<std::unique_ptr<CKespoDoc>> m_documents;
    int m_untitledCount = 0;
};

} // namespace nelvix
