// Parsing the words of nelvix-cli find: flags, valued options and the PATTERN DIR WILDCARD...
// words.
#include "cli/args/find_args.h"

#include <charconv>
#include <string_view>

#include "cli/args/cli_args.h"
#include "cli/args/search_option_words.h"
#include "cli/args/subcommand_words.h"
#include "search/search_workers.h"

namespace nelvix::cli {
namespace {

std::string SetThreads(std::string_view word, int& threads) {
    int count = 0;
    const auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), count);
    if (word.empty() || end != word.data() + word.size() || problem != std::errc() || count < 1 ||
        count > static_cast<int>(kMaxSearchWorkers))
        return "bad --threads value " + Quoted(word) + " (1.." + std::to_string(kMaxSearchWorkers) +
               ")";
    threads = count;
    return {};
}

std::string ParseOption(WordReader& reader, CliArgs& args) {
    FindArgs& find = args.find;
    if (reader.words[reader.index] == "--nontext") {
        find.findNoneTextFile = true;
        return {};
    }
    std::string error;
    if (auto word = OptionValue(reader, "--spec", error)) {
        find.specification = std::string(*word);
        return error;
    }
    if (auto word = OptionValue(reader, "--threads", error))
        return error.empty() ? SetThreads(*word, find.threads) : error;
    return ParseSearchOption(
        reader, args, {find.patternSjis, find.options, find.subdirectories, find.subdirBufferKb},
        "find");
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
    std::size_t operandCount = 0;
    std::string error = ReadSubcommandWords(
        arguments, helpAsked, [&args](WordReader& reader) { return ParseOption(reader, args); },
        [&](const std::string& word) { TakeOperand(word, operandCount++, args.find); });
    if (!error.empty() || helpAsked)
        return error;
    return CheckOperands(operandCount, args.find);
}

} // namespace nelvix::cli
