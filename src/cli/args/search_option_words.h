// The options that nelvix-cli find and html share: --utf8, --pattern-sjis, --no-subdirs, the
// flags -i, -w, -r and -m, --code and --subdir-buffer-kb.
#pragma once

#include <string>
#include <string_view>

#include "cli/args/subcommand_words.h"
#include "pattern/search_options.h"

namespace nelvix::cli {

struct CliArgs;

/// The fields of a subcommand's arguments that the shared options set.
struct SearchArgFields {
    bool& patternSjis;
    SearchOptions& options;
    bool& subdirectories;
    long& subdirBufferKb;
};

/// Reads the option at the reader (and its value, advancing the reader) into `fields` or
/// `args`; any other word is an unknown option of `subcommand`. Returns a usage error, or an
/// empty string.
std::string ParseSearchOption(WordReader& reader, CliArgs& args, SearchArgFields fields,
                              std::string_view subcommand);

} // namespace nelvix::cli
