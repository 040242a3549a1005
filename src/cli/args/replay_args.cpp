// Parsing the words of nelvix-cli replay: MACRO, --home, --file and --utf8.
#include "cli/args/replay_args.h"

#include <string_view>

#include "cli/args/cli_args.h"

namespace nelvix::cli {
namespace {

// The value of option `name` at `index`, as "NAME VALUE" or "NAME=VALUE", advancing `index`
// past it; nothing when the word is not that option. A missing or empty value sets `error`.
std::optional<std::string> OptionValue(std::span<const std::string> words, std::size_t& index,
                                       std::string_view name, std::string& error) {
    const std::string_view word = words[index];
    std::optional<std::string> value;
    if (word.starts_with(name) && word.size() > name.size() && word[name.size()] == '=')
        value = std::string(word.substr(name.size() + 1));
    else if (word != name)
        return std::nullopt;
    else if (index + 1 < words.size())
        value = words[++index];
    if (!value || value->empty()) {
        error = std::string(name) + " needs a value";
        return std::string();
    }
    return value;
}

std::string ParseOption(std::span<const std::string> words, std::size_t& index, CliArgs& args) {
    if (words[index] == "--utf8") {
        args.utf8 = true;
        return {};
    }
    std::string error;
    if (auto home = OptionValue(words, index, "--home", error))
        args.replay.home = std::move(*home);
    else if (auto file = OptionValue(words, index, "--file", error))
        args.replay.file = std::move(*file);
    else
        return "unknown option '" + words[index] + "' for replay";
    return error;
}

} // namespace

std::string ParseReplayArgs(std::span<const std::string> arguments, CliArgs& args,
                            bool& helpAsked) {
    helpAsked = false;
    bool optionsEnded = false;
    std::size_t macros = 0;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& arg = arguments[index];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (macros++ == 0)
                args.replay.macro = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return {};
        } else if (std::string error = ParseOption(arguments, index, args); !error.empty()) {
            return error;
        }
    }
    if (macros == 0)
        return "replay: missing MACRO";
    // An empty name would stand for the file ".mac" of the home.
    if (args.replay.macro.empty())
        return "replay: the MACRO name is empty";
    if (macros > 1)
        return "replay takes one MACRO, not " + std::to_string(macros);
    return {};
}

} // namespace nelvix::cli
