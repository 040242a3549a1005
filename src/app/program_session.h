// One run of the program as the front end sees it: the documents' environment, the document
// list, and this process's work file, which goes when the run ends.
#pragma once

#include <string>

#include "text/document_list.h"
#include "text/text_document.h"

namespace nelvix {

class ProgramSession {
public:
    /// Names the work file inside `programHome` (a native path), creating the folder when
    /// missing, and removes the work files there of instances that have ended. When the folder
    /// cannot be had, files are read unconverted.
    ProgramSession(ui::Platform& platform, const std::string& programHome);
    /// Deletes the work file; the documents go with the list.
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    DocumentList& Documents() { return m_documents; }
    /// What every document of the run shares: settings it reads, attribute files, the work file.
    DocumentEnvironment& Environment() { return m_environment; }
    /// Native path of the work file; empty when there is none.
    const std::string& WorkFile() const { return m_environment.workFilePath; }

private:
    DocumentEnvironment m_environment;
    DocumentList m_documents;
};

} // namespace nelvix
