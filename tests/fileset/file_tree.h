// Small directory trees for the file-set tests, written as one line per entry.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

namespace nelvix::test {

/// Makes each entry under `root`: "a/b/" a directory, "a/x.c" a file (its folder made first),
/// "name -> target" a symbolic link, "name|" a FIFO. Names are native (UTF-8) bytes.
inline void MakeTree(const std::string& root, const std::vector<std::string>& entries) {
    for (const std::string_view entry : entries) {
        const std::size_t arrow = entry.find(" -> ");
        const std::string name(entry.substr(0, arrow));
        for (std::size_t slash = name.find('/'); slash != std::string::npos;
             slash = name.find('/', slash + 1))
            ::mkdir((root + "/" + name.substr(0, slash)).c_str(), 0755);
        const std::string path = root + "/" + name;
        if (arrow != std::string_view::npos) {
            ::symlink(std::string(entry.substr(arrow + 4)).c_str(), path.c_str());
        } else if (name.ends_with('|')) {
            ::mkfifo(path.substr(0, path.size() - 1).c_str(), 0644);
        } else if (!name.ends_with('/')) {
            ::close(::creat(path.c_str(), 0644));
        }
    }
}

/// `text` with every "{T}" replaced by `root`.
inline std::string WithRoot(std::string text, const std::string& root) {
    for (std::size_t at = text.find("{T}"); at != std::string::npos;
         at = text.find("{T}", at + root.size()))
        text.replace(at, 3, root);
    return text;
}

} // namespace nelvix::test
