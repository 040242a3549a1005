// TMPDIR set for one test, and the old value put back after it.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace nelvix::cli {

class ScopedTmpDir {
public:
    explicit ScopedTmpDir(const std::string& folder) {
        if (const char* old = std::getenv("TMPDIR"))
            m_old = old;
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    ~ScopedTmpDir() {
        if (m_old)
            ::setenv("TMPDIR", m_old->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    ScopedTmpDir(const ScopedTmpDir&) = delete;
    ScopedTmpDir& operator=(const ScopedTmpDir&) = delete;

private:
    std::optional<std::string> m_old;
};

} // namespace nelvix::cli
