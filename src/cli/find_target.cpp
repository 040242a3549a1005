// Building the search specification of nelvix-cli find.
#include "cli/find_target.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include <sys/stat.h>

#include "base/native_path.h"
#include "fileset/search_specification.h"
#include "ui/message_ids.h"
#include "ui/message_table.h"

namespace nelvix::cli {
namespace {

constexpr std::string_view kDefaultFileBoxText = "*.*";

FindTarget Failure(std::string error) {
    return FindTarget{{}, std::move(error)};
}

// The dialog refuses such a specification with message 59401; here it is a usage error.
FindTarget TooLong() {
    return Failure(std::string(ui::MessageTextUtf8(ui::kMsgBadPathName)) +
                   " (the search specification must be shorter than " +
                   std::to_string(kPathBufferBytes) + " bytes)");
}

// The dialog's current directory: absolute, without "." and "..", ending in '/'.
std::optional<std::string> AbsoluteDirectory(const std::string& nativeDirectory,
                                             std::string& error) {
    std::error_code failure;
    std::filesystem::path path = std::filesystem::absolute(nativeDirectory, failure);
    if (failure) {
        error = nativeDirectory + ": " + failure.message();
        return std::nullopt;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        error = nativeDirectory + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISDIR(status.st_mode)) {
        error = nativeDirectory + ": " + std::strerror(ENOTDIR);
        return std::nullopt;
    }
    std::string normal = path.lexically_normal().string();
    if (!normal.ends_with('/'))
        normal.push_back('/');
    return normal;
}

std::string FileBoxText(const std::vector<std::string>& wildcards) {
    if (wildcards.empty())
        return std::string(kDefaultFileBoxText);
    std::string text;
    for (const std::string& wildcard : wildcards) {
        if (!text.empty())
            text.push_back(' ');
        text += wildcard;
    }
    return text;
}

} // namespace

FindTarget BuildFindTarget(const FindArgs& find) {
    std::string error;
    std::optional<std::string> directory = AbsoluteDirectory(find.directory.value_or("."), error);
    if (!directory)
        return Failure(error);
    // A ready specification is the file box text typed whole: used as it is when it names its
    // directory, else joined to the current directory.
    std::string fileBoxText =
        find.specification ? *find.specification : FileBoxText(find.wildcards);
    std::optional<std::string> specification =
        ResolveSearchSpecification(NativePathToSjis(*directory), NativePathToSjis(fileBoxText));
    if (!specification)
        return TooLong();
    return FindTarget{std::move(*specification), {}};
}

} // namespace nelvix::cli
