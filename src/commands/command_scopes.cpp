// Scopes that a long command holds while it runs.
#include "commands/command_scopes.h"

#include "app/application.h"

namespace nelvix {

TextFilesOnly::TextFilesOnly(Application& application)
    : m_application(application), m_saved(application.GetSettings().findNoneTextFile) {
    m_application.GetSettings().findNoneTextFile = 0;
    m_application.RefreshFindEngineEnvironment();
}

TextFilesOnly::~TextFilesOnly() {
    m_application.GetSettings().findNoneTextFile = m_saved;
    m_application.RefreshFindEngineEnvironment();
}

} // namespace nelvix
