// Locating the program home from the environment.
#include "app/program_home.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

namespace nelvix {
namespace {

std::string FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

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
