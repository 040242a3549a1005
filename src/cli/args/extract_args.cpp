// Parsing the words of nelvix-cli extract: the rule source, --global and its file set, FILE.
#include "cli/args/extract_args.h"

#include <string_view>

#include "cli/args/cli_args.h"

namespace nelvix::cli {
namespace {

std::string Quoted(std::string_view arg) {
    return "'" + std::string(arg) + "'";
}

// The words of the command line, and the one being read.
struct WordReader {
    std::span<const std::string> words;
    std::size_t index = 0;
};

// The value of `name` given as "NAME VALUE" or "NAME=VALUE"; nothing when the word is not that
// option. A missing or empty value sets `error`.
std::optional<std::string> OptionValue(WordReader& reader, std::string_view name,
                                       std::string& error) {
    std::string_view arg = reader.words[reader.index];
    std::optional<std::string> value;
    if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=')
        value = std::string(arg.substr(name.size() + 1));
    else if (arg != name)
        return std::nullopt;
    else if (reader.index + 1 < reader.words.size())
        value = reader.words[++reader.index];
    if (!value || value->empty()) {
        error = std::string(name) + " needs a value";
        return std::string();
    }
    return value;
}

std::string ParseValuedOption(WordReader& reader, CliArgs& args) {
    std::string error;
    ExtractArgs& extract = args.extract;
    if (auto word = OptionValue(reader, "--code", error)) {
        if (!error.empty())
            return error + ": auto, sjis, jis or euc";
        args.codeDecision = CodeDecisionOfWord(*word);
        if (args.codeDecision < 0)
            return "bad --code value " + Quoted(*word) + " (use auto, sjis, jis or euc)";
    } else if (auto rules = OptionValue(reader, "--rules", error)) {
        extract.rulesFile = std::move(*rules);
    } else if (auto data = OptionValue(reader, "--data", error)) {
        extract.dataFile = std::move(*data);
    } else if (auto specification = OptionValue(reader, "--global", error)) {
        extract.specification = std::move(*specification);
    } else {
        return "unknown option " + Quoted(reader.words[reader.index]) + " for extract";
    }
    return error;
}

std::string ParseOption(WordReader& reader, CliArgs& args) {
    std::string_view arg = reader.words[reader.index];
    if (arg == "--utf8")
        args.utf8 = true;
    else if (arg == "--no-subdirs")
        args.extract.subdirectories = false;
    else
        return ParseValuedOption(reader, args);
    return {};
}

std::string CheckCombination(std::size_t fileCount, bool noSubdirs, const ExtractArgs& extract) {
    if (extract.rulesFile && extract.dataFile)
        return "extract: --rules and --data cannot be used together";
    if (extract.specification) {
        if (fileCount > 0)
            return "extract: --global takes the place of FILE";
        return {};
    }
    if (noSubdirs)
        return "extract: --no-subdirs needs --global";
    if (fileCount == 0)
        return "extract: missing FILE";
    if (fileCount > 1)
        return "extract takes one FILE, not " + std::to_string(fileCount);
    return {};
}

} // namespace

std::string ParseExtractArgs(std::span<const std::string> arguments, CliArgs& args,
                             bool& helpAsked) {
    helpAsked = false;
    bool optionsEnded = false;
    bool noSubdirs = false;
    std::size_t fileCount = 0;
    for (WordReader reader{arguments, 1}; reader.index < arguments.size(); ++reader.index) {
        const std::string& arg = arguments[reader.index];
        // A lone "-" is a file name like any other: there is no reading from standard input.
        bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (fileCount++ == 0)
                args.extract.file = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return {};
        } else if (std::string error = ParseOption(reader, args); !error.empty()) {
            return error;
        } else {
            noSubdirs = noSubdirs || arg == "--no-subdirs";
        }
    }
    return CheckCombination(fileCount, noSubdirs, args.extract);
}

} // namespace nelvix::cli
