// The file that standard output writes into. A run over a tree that holds it would read its own
// output and grow it for ever ("nelvix-cli find x . > out.txt"), so the runs pass over it.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace nelvix::cli {

/// A file as the system tells files apart: hard links and other names of it are the same.
struct OutputFile {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const OutputFile&) const = default;
};

/// The regular file open on `fd`; nothing for a terminal, a pipe, a device or a closed one.
std::optional<OutputFile> RegularFileOn(int fd);

/// Whether `nativePath` names `output` (through any link).
bool NamesOutputFile(const std::string& nativePath, const OutputFile& output);

/// The engine's pass-over test for a run writing into `output`: true for that file, saying
/// once on `err` that it is skipped; empty when there is no output file.
std::function<bool(std::string_view sjisPath)>
PassOverOutputFile(const std::optional<OutputFile>& output, std::ostream& err);

} // namespace nelvix::cli
