// The command line of nelvix-cli find: the pattern, where to search, and the dialog's options.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "pattern/search_options.h"

namespace nelvix::cli {

/// The "SubDirBufSizeKB" setting: any value outside 10..500 means 150.
inline constexpr long kDefaultSubdirBufferKb = 150;
inline constexpr long kMinSubdirBufferKb = 10;
inline constexpr long kMaxSubdirBufferKb = 500;

/// What the global find dialog would hold, as typed on the command line.
struct FindArgs {
    /// Terminal text (UTF-8), or Shift-JIS bytes with `patternSjis`.
    std::string pattern;
    bool patternSjis = false;
    /// The dialog's current directory, a native path as given; nothing: the current directory.
    std::optional<std::string> directory;
    /// The file box text, one word per argument (native); empty: "*.*".
    std::vector<std::string> wildcards;
    /// A ready search specification (native) that takes the place of the dialog's fields.
    std::optional<std::string> specification;
    /// The dialog's check boxes start case- and width-sensitive on the command line, as grep
    /// does; the options turn them off.
    SearchOptions options{.caseSensitive = true, .widthSensitive = true};
    bool subdirectories = true;
    bool findNoneTextFile = false;
    long subdirBufferKb = kDefaultSubdirBufferKb;
    /// Threads that search: 1, the calling thread alone; more, that many workers beside it;
    /// 0, as many as the machine offers.
    int threads = 0;
};

/// The value of a "SubDirBufSizeKB" setting as the program reads it.
long EffectiveSubdirBufferKb(long kb);

struct CliArgs;

/// Reads the words after "find" into `args` (its find part, code and --utf8). Returns a usage
/// error for a person, or an empty string; sets `helpAsked` for --help.
std::string ParseFindArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked);

} // namespace nelvix::cli
