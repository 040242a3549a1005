// Parsing the words of nelvix-cli find: flags, valued options and the PATTERN DIR WILDCARD...
// words.
#include "cli/find_args.h"

#include <charconv>
#include <string_view>

#include "cli/cli_args.h"

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

// The value of `name` given as "NAME VALUE" or "NAME=VALUE"; nothing when `arg` is not that
// option. A missing value sets `error`.
std::optional<std::string_view> OptionValue(WordReader& reader, std::string_view name,
                                            std::string& error) {
    std::string_view arg = reader.words[reader.index];
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

std::string SetSubdirBufferKb(std::string_view word, FindArgs& find) {
    long kb = 0;
    auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), kb);
    if (word.empty() || end != word.data() + word.size() ||
        (problem != std::errc() && problem != std::errc::result_out_of_range))
        return "bad --subdir-buffer-kb value " + Quoted(word) + " (a number of KiB)";
    find.subdirBufferKb = problem == std::errc::result_out_of_range ? kDefaultSubdirBufferKb
                                                                    : EffectiveSubdirBufferKb(kb);
    return {};
}

// -i, -w, -r and -m, alone or together as in "-iw".
std::string SetFlags(std::string_view arg, FindArgs& find) {
    for (char letter : arg.substr(1)) {
        switch (letter) {
        case 'i':
            find.options.caseSensitive = false;
            break;
        case 'w':
            find.options.widthSensitive = false;
            break;
        case 'r':
            find.options.regularExpression = true;
            break;
        case 'm':
            find.options.multiText = true;
            break;
        default:
            return "unknown option " + Quoted(std::string("-") + letter) + " for find";
        }
    }
    return {};
}

std::string ParseValuedOption(WordReader& reader, CliArgs& args) {
    std::string error;
    if (auto word = OptionValue(reader, "--code", error)) {
        if (!error.empty())
            return error + ": auto, sjis, jis or euc";
        args.codeDecision = CodeDecisionOfWord(*word);
        if (args.codeDecision < 0)
            return "bad --code value " + Quoted(*word) + " (use auto, sjis, jis or euc)";
        return {};
    }
    if (auto word = OptionValue(reader, "--spec", error)) {
        args.find.specification = std::string(*word);
        return error;
    }
    if (auto word = OptionValue(reader, "--subdir-buffer-kb", error))
        return error.empty() ? SetSubdirBufferKb(*word, args.find) : error;
    return "unknown option " + Quoted(reader.words[reader.index]) + " for find";
}

std::string ParseOption(WordReader& reader, CliArgs& args) {
    std::string_view arg = reader.words[reader.index];
    FindArgs& find = args.find;
    if (arg == "--utf8")
        args.utf8 = true;
    else if (arg == "--pattern-sjis")
        find.patternSjis = true;
    else if (arg == "--no-subdirs")
        find.subdirectories = false;
    else if (arg == "--nontext")
        find.findNoneTextFile = true;
    else if (!arg.starts_with("--"))
        return SetFlags(arg, find);
    else
        return ParseValuedOption(reader, args);
    return {};
}

// PATTERN, then DIR, then the WILDCARDs.
void TakeOperand(const std::string& word, std::size_t operandIndex, FindArgs& find) {
    if (operandIndex == 0)
        find.pattern = word;
    else if (operandIndex == 1)
        find.directory = word;
    else
        find.wildcards.push_back(word);
}

std::string CheckOperands(std::size_t operandCount, const FindArgs& find) {
    if (operandCount == 0)
        return "find: missing PATTERN";
    if (find.pattern.empty())
        return "find: the PATTERN is empty";
    if (find.specification && operandCount > 1)
        return "find: --spec takes the place of DIR and WILDCARD";
    return {};
}

} // namespace

long EffectiveSubdirBufferKb(long kb) {
    return kb >= kMinSubdirBufferKb && kb <= kMaxSubdirBufferKb ? kb : kDefaultSubdirBufferKb;
}

std::string ParseFindArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked) {
    helpAsked = false;
    bool optionsEnded = false;
    std::size_t operandCount = 0;
    for (WordReader reader{arguments, 1}; reader.index < arguments.size(); ++reader.index) {
        const std::string& arg = arguments[reader.index];
        // A lone "-" is a word like any other, as for grep.
        bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            TakeOperand(arg, operandCount++, args.find);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return {};
        } else if (std::string error = ParseOption(reader, args); !error.empty()) {
            return error;
        }
    }
    return CheckOperands(operandCount, args.find);
}

} // namespace nelvix::cli
