// Setting up and ending a run of the program.
#include "app/program_session.h"

#include <cstdio>
#include <unistd.h>

#include "app/stale_work_files.h"
#include "files/work_file.h"
#include "store/program_home.h"

namespace nelvix {
namespace {

std::string WorkFileIn(const std::string& programHome) {
    if (!EnsureProgramHome(programHome))
        return {};
    // An instance that was killed never removed its file; nothing else ever would.
    RemoveStaleWorkFiles(programHome);
    return WorkFilePath(programHome, static_cast<long>(::getpid()));
}

} // namespace

// No attribute files, recent-file list or window bar yet: the first window only shows texts.
ProgramSession::ProgramSession(ui::Platform& platform, const std::string& programHome)
    : m_environment{platform}, m_documents(m_environment) {
    m_environment.workFilePath = WorkFileIn(programHome);
}

ProgramSession::~ProgramSession() {
    if (!WorkFile().empty())
        std::remove(WorkFile().c_str());
}

} // namespace nelvix
