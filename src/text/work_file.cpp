// The per-process work file name.
#include "text/work_file.h"

namespace nelvix {

std::string WorkFilePath(std::string_view programHome, long processId) {
    if (programHome.empty())
        return {};
    std::string path(programHome);
    if (path.back() != '/')
        path.push_back('/');
    path += "nelvix.";
    path += std::to_string(processId);
    path += ".wrk";
    if (path.size() + 1 > kWorkPathBufferBytes)
        return {};
    return path;
}

} // namespace nelvix
