// Resolving a file box against the current directory.
#include "app/file_specification.h"

#include <unistd.h>

#include <climits>
#include <vector>

#include "app/global_find_record.h"
#include "search/global_find_engine.h"
#include "text/native_path.h"

namespace nelvix {

std::string WorkingDirectory() {
    std::vector<char> buffer(PATH_MAX);
    if (::getcwd(buffer.data(), buffer.size()) == nullptr)
        return "/";
    std::string directory = NativePathToSjis(buffer.data());
    if (!directory.ends_with('/'))
        directory.push_back('/');
    return directory;
}

std::optional<std::string> ResolveFileSpecification(std::string_view sjisCurrentDirectory,
                                                    std::string_view sjisFileBox) {
    if (!sjisFileBox.starts_with("\"/"))
        return BuildSearchSpecification(sjisCurrentDirectory, sjisFileBox);
    if (sjisFileBox.size() > kRecordSpecificationMaxBytes)
        return std::nullopt;
    return std::string(sjisFileBox);
}

} // namespace nelvix
