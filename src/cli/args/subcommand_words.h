// Reading the words after a subcommand's name: options, their values and the operands.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace nelvix::cli {

/// The words of the command line, and the one being read.
struct WordReader {
    std::span<const std::string> words;
    std::size_t index = 0;
};

/// `arg` between single quotes, as usage errors name a word.
std::string Quoted(std::string_view arg);

/// The value of `name` given as "NAME VALUE" or "NAME=VALUE" (which may be empty); nothing when
/// the word is not that option. A missing value sets `error`.
std::optional<std::string_view> OptionValue(WordReader& reader, std::string_view name,
                                            std::string& error);

/// Goes through the words after the subcommand's name: "--" ends the options, --help or -h
/// stops the reading with `helpAsked` set, and a lone "-" is a word like any other, as for
/// grep. Every other word that starts with '-' goes to `option`, the rest to `operand`.
/// Returns the first usage error that `option` gives, or an empty string.
std::string ReadSubcommandWords(std::span<const std::string> arguments, bool& helpAsked,
                                const std::function<std::string(WordReader&)>& option,
                                const std::function<void(const std::string&)>& operand);

} // namespace nelvix::cli
