// The options that nelvix-cli find and html share.
#include "cli/args/search_option_words.h"

#include <charconv>

#include "cli/args/cli_args.h"
#include "cli/args/find_args.h"

namespace nelvix::cli {
namespace {

std::string SetSubdirBufferKb(std::string_view word, long& subdirBufferKb) {
    long kb = 0;
    const auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), kb);
    if (word.empty() || end != word.data() + word.size() ||
        (problem != std::errc() && problem != std::errc::result_out_of_range))
        return "bad --subdir-buffer-kb value " + Quoted(word) + " (a number of KiB)";
    subdirBufferKb = problem == std::errc::result_out_of_range ? kDefaultSubdirBufferKb
                                                               : EffectiveSubdirBufferKb(kb);
    return {};
}

// -i, -w, -r and -m, alone or together as in "-iw".
std::string SetFlags(std::string_view arg, SearchOptions& options, std::string_view subcommand) {
    for (const char letter : arg.substr(1)) {
        switch (letter) {
        case 'i':
            options.caseSensitive = false;
            break;
        case 'w':
            options.widthSensitive = false;
            break;
        case 'r':
            options.regularExpression = true;
            break;
        case 'm':
            options.multiText = true;
            break;
        default:
            return "unknown option " + Quoted(std::string("-") + letter) + " for " +
                   std::string(subcommand);
        }
    }
    return {};
}

std::string ParseValuedOption(WordReader& reader, CliArgs& args, long& subdirBufferKb,
                              std::string_view subcommand) {
    std::string error;
    if (auto word = OptionValue(reader, "--code", error)) {
        if (!error.empty())
            return error + ": auto, sjis, jis or euc";
        args.codeDecision = CodeDecisionOfWord(*word);
        if (args.codeDecision < 0)
            return "bad --code value " + Quoted(*word) + " (use auto, sjis, jis or euc)";
        return {};
    }
    if (auto word = OptionValue(reader, "--subdir-buffer-kb", error))
        return error.empty() ? SetSubdirBufferKb(*word, subdirBufferKb) : error;
    return "unknown option " + Quoted(reader.words[reader.index]) + " for " +
           std::string(subcommand);
}

} // namespace

std::string ParseSearchOption(WordReader& reader, CliArgs& args, SearchArgFields fields,
                              std::string_view subcommand) {
    const std::string_view arg = reader.words[reader.index];
    if (arg == "--utf8")
        args.utf8 = true;
    else if (arg == "--pattern-sjis")
        fields.patternSjis = true;
    else if (arg == "--no-subdirs")
        fields.subdirectories = false;
    else if (!arg.starts_with("--"))
        return SetFlags(arg, fields.options, subcommand);
    else
        return ParseValuedOption(reader, args, fields.subdirBufferKb, subcommand);
    return {};
}

} // namespace nelvix::cli
