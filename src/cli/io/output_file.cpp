// Telling the output file apart from the files a run reads.
#include "cli/io/output_file.h"

#include <sys/stat.h>

#include "base/native_path.h"

namespace nelvix::cli {

std::optional<OutputFile> RegularFileOn(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return OutputFile{status.st_dev, status.st_ino};
}

bool NamesOutputFile(const std::string& nativePath, const OutputFile& output) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 &&
           OutputFile{status.st_dev, status.st_ino} == output;
}

std::function<bool(std::string_view sjisPath)>
PassOverOutputFile(const std::optional<OutputFile>& output, std::ostream& err) {
    if (!output)
        return {};
    return [output = *output, &err, said = false](std::string_view sjisPath) mutable {
        const std::string nativePath = SjisPathToNative(sjisPath);
        if (!NamesOutputFile(nativePath, output))
            return false;
        if (!said)
            err << "nelvix-cli: " << nativePath << ": skipped, it is the output\n";
        said = true;
        return true;
    };
}

} // namespace nelvix::cli
