// Parsing the words of nelvix-cli html: the target, flags, valued options and SPEC.
#include "cli/html_args.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "cli/cli_args.h"

namespace nelvix::cli {
namespace {

std::string Quoted(std::string_view arg) {
    return "'" + std::string(arg) + "'";
}

struct WordReader {
    std::span<const std::string> words;
    std::size_t index = 0;
};

// The value of `name` given as "NAME VALUE" or "NAME=VALUE"; nothing when the word is not that
// option. A missing value sets `error`.
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

// -i, -w, -r and -m, alone or together as in "-iw".
std::string SetFlags(std::string_view arg, HtmlArgs& html) {
    for (const char letter : arg.substr(1)) {
        switch (letter) {
        case 'i':
            html.options.caseSensitive = false;
            break;
        case 'w':
            html.options.widthSensitive = false;
            break;
        case 'r':
            html.options.regularExpression = true;
            break;
        case 'm':
            html.options.multiText = true;
            break;
        default:
            return "unknown option " + Quoted(std::string("-") + letter) + " for html";
        }
    }
    return {};
}

std::string SetSubdirBufferKb(std::string_view word, HtmlArgs& html) {
    long kb = 0;
    const auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), kb);
    if (word.empty() || end != word.data() + word.size() ||
        (problem != std::errc() && problem != std::errc::result_out_of_range))
        return "bad --subdir-buffer-kb value " + Quoted(word) + " (a number of KiB)";
    html.subdirBufferKb = problem == std::errc::result_out_of_range ? kDefaultSubdirBufferKb
                                                                    : EffectiveSubdirBufferKb(kb);
    return {};
}

std::string ParseValuedOption(WordReader& reader, CliArgs& args, bool& targetGiven) {
    std::string error;
    HtmlArgs& html = args.html;
    if (auto word = OptionValue(reader, "--string", error)) {
        if (!error.empty())
            return error;
        if (targetGiven)
            return "html: give one of --title, --links and --string";
        targetGiven = true;
        html.target = HtmlTarget::String;
        html.pattern = std::string(*word);
        return html.pattern.empty() ? "html: the --string value is empty" : std::string();
    }
    if (auto word = OptionValue(reader, "--code", error)) {
        if (!error.empty())
            return error + ": auto, sjis, jis or euc";
        args.codeDecision = CodeDecisionOfWord(*word);
        if (args.codeDecision < 0)
            return "bad --code value " + Quoted(*word) + " (use auto, sjis, jis or euc)";
        return {};
    }
    if (auto word = OptionValue(reader, "--subdir-buffer-kb", error))
        return error.empty() ? SetSubdirBufferKb(*word, html) : error;
    return "unknown option " + Quoted(reader.words[reader.index]) + " for html";
}

std::string SetTarget(HtmlTarget target, HtmlArgs& html, bool& targetGiven) {
    if (targetGiven)
        return "html: give one of --title, --links and --string";
    targetGiven = true;
    html.target = target;
    return {};
}

std::string ParseOption(WordReader& reader, CliArgs& args, bool& targetGiven) {
    const std::string_view arg = reader.words[reader.index];
    HtmlArgs& html = args.html;
    if (arg == "--title")
        return SetTarget(HtmlTarget::Title, html, targetGiven);
    if (arg == "--links")
        return SetTarget(HtmlTarget::Link, html, targetGiven);
    if (arg == "--utf8")
        args.utf8 = true;
    else if (arg == "--pattern-sjis")
        html.patternSjis = true;
    else if (arg == "--no-subdirs")
        html.subdirectories = false;
    else if (!arg.starts_with("--"))
        return SetFlags(arg, html);
    else
        return ParseValuedOption(reader, args, targetGiven);
    return {};
}

} // namespace

std::string ParseHtmlArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked) {
    helpAsked = false;
    bool optionsEnded = false;
    bool targetGiven = false;
    std::size_t operandCount = 0;
    for (WordReader reader{arguments, 1}; reader.index < arguments.size(); ++reader.index) {
        const std::string& arg = arguments[reader.index];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (operandCount++ == 0)
                args.html.specification = arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            helpAsked = true;
            return {};
        } else if (std::string error = ParseOption(reader, args, targetGiven); !error.empty()) {
            return error;
        }
    }
    if (operandCount == 0)
        return "html: missing SPEC";
    if (operandCount > 1)
        return "html: takes one SPEC; write several patterns in one word, as '/www/*.html *.htm'";
    if (args.html.specification.empty())
        return "html: the SPEC is empty";
    return {};
}

} // namespace nelvix::cli
