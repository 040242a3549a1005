// Running nelvix-cli in-process and keeping what it wrote, and the text helpers its tests share.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/io/output_file.h"
#include "cli/run_cli.h"

namespace nelvix::cli {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

/// `outputFile` stands for the file standard output would write into.
inline CliRun RunWith(const std::vector<std::string>& arguments,
                      std::optional<OutputFile> outputFile = std::nullopt) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(arguments, out, err, outputFile);
    run.out = out.str();
    run.err = err.str();
    return run;
}

/// The words of `line`, split at blanks.
inline std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

inline std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

inline bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

/// The counts message of find and html as the console shows it.
inline std::string Counts(int files, int hits) {
    return "nelvix-cli: 検索したﾌｧｲﾙの数： " + std::to_string(files) + "\n\n見つかった個数   ： " +
           std::to_string(hits) + "\n";
}

} // namespace nelvix::cli
