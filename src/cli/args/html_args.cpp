// Parsing the words of nelvix-cli html: the target, flags, valued options and SPEC.
#include "cli/args/html_args.h"

#include <string_view>

#include "cli/args/cli_args.h"
#include "cli/args/search_option_words.h"
#include "cli/args/subcommand_words.h"

namespace nelvix::cli {
namespace {

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
    std::string error;
    if (auto word = OptionValue(reader, "--string", error)) {
        if (!error.empty())
            return error;
        if (std::string refused = SetTarget(HtmlTarget::String, html, targetGiven);
            !refused.empty())
            return refused;
        html.pattern = std::string(*word);
        return html.pattern.empty() ? "html: the --string value is empty" : std::string();
    }
    return ParseSearchOption(
        reader, args, {html.patternSjis, html.options, html.subdirectories, html.subdirBufferKb},
        "html");
}

std::string CheckOperands(std::size_t operandCount, const HtmlArgs& html) {
    if (operandCount == 0)
        return "html: missing SPEC";
    if (operandCount > 1)
        return "html: takes one SPEC; write several patterns in one word, as '/www/*.html *.htm'";
    if (html.specification.empty())
        return "html: the SPEC is empty";
    return {};
}

} // namespace

std::string ParseHtmlArgs(std::span<const std::string> arguments, CliArgs& args, bool& helpAsked) {
    bool targetGiven = false;
    std::size_t operandCount = 0;
    std::string error = ReadSubcommandWords(
        arguments, helpAsked,
        [&](WordReader& reader) { return ParseOption(reader, args, targetGiven); },
        [&](const std::string& word) {
            if (operandCount++ == 0)
                args.html.specification = word;
        });
    if (!error.empty() || helpAsked)
        return error;
    return CheckOperands(operandCount, args.html);
}

} // namespace nelvix::cli
