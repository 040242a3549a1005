// Making and deleting nelvix-cli's work file.
#include "cli/temp_work_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace nelvix::cli {

TempWorkFile::TempWorkFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    pattern += "/nelvix-cli-XXXXXX";
    // mkstemp creates the file with a name no other process holds, so two runs never share it.
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        m_reason = pattern + ": " + std::strerror(errno);
        return;
    }
    ::close(fd);
    m_path = pattern;
}

TempWorkFile::~TempWorkFile() {
    if (!m_path.empty())
        ::unlink(m_path.c_str());
}

} // namespace nelvix::cli
