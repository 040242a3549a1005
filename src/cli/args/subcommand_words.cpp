// Reading the words after a subcommand's name.
#include "cli/args/subcommand_words.h"

namespace nelvix::cli {

std::string Quoted(std::string_view arg) {
    return "'" + std::string(arg) + "'";
}

std::optional<std::string_view> OptionValue(WordReader& reader, std::string_view name,
                                            std::string& error) {
    const std::string_view arg = reader.words[reader.index];
    if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=')
        return arg.substr(name.size() + 1);
    if (arg != name)
        return std::nullopt;
    if (reader.index + 1 >= reader.words.size()) {
        error = std::string(name) + " needs a value";
        return std::string_view();
    }
    return std::string_view(reader.words[++reader.index]);
}

std::string ReadSubcommandWords(std::span<const std::string> arguments, bool& helpAsked,
                                const std::function<std::string(WordReader&)>& option,
                                const std::function<void(const std::string&)>& operand) {
    helpAsked = false;
    bool optionsEnded = false;
    for (WordReader reader{arguments, 1}; reader.index < arguments.size(); ++reader.index) {
        const std::string& arg = arguments[reader.index];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            operand(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return {};
        } else if (std::string error = option(reader); !error.empty()) {
            return error;
        }
    }
    return {};
}

} // namespace nelvix::cli
