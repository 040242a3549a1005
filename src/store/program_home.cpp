// The program home: locating it from the environment, and its first copies of the system files.
#include "store/program_home.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

#include "base/native_path.h"
#include "files/whole_file.h"

namespace nelvix {
namespace {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

bool NoEntryAt(const std::string& nativePath) {
    struct stat info {};
    return ::lstat(nativePath.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

void CopySystemFileWhenMissing(ui::Platform& platform, const std::string& nativeFolder,
                               const std::string& nativeHomeFile,
                               const std::string& nativeSystemFile) {
    struct stat info {};
    if (nativeSystemFile.empty() || !NoEntryAt(nativeHomeFile) ||
        ::stat(nativeSystemFile.c_str(), &info) != 0)
        return;
    if (!nativeFolder.empty() && !EnsureProgramHome(nativeFolder))
        return;
    CopyWholeFile(platform, NativePathToSjis(nativeHomeFile), NativePathToSjis(nativeSystemFile));
}

std::string ProgramHome() {
    std::string home = FromEnvironment("NELVIX_HOME");
    if (!home.empty())
        return home;
    std::string config = FromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) {
        std::string user = FromEnvironment("HOME");
        if (user.empty())
            return {};
        config = user + "/.config";
    }
    return config + "/nelvix";
}

bool EnsureProgramHome(const std::string& home) {
    if (home.empty())
        return false;
    for (std::size_t slash = home.find('/', 1);; slash = home.find('/', slash + 1)) {
        std::string prefix = home.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

} // namespace nelvix
