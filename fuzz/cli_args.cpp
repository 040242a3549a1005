// Fuzzes nelvix-cli's argument parser with NUL-separated argument lists.
#include <string>
#include <vector>

#include "cli/args/cli_args.h"
#include "fuzz_check.h"

using nelvix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using nelvix::cli::Subcommand;
    std::vector<std::string> arguments;
    if (size > 0)
        arguments.emplace_back();
    for (std::size_t index = 0; index < size; ++index) {
        if (data[index] == 0)
            arguments.emplace_back();
        else
            arguments.back().push_back(static_cast<char>(data[index]));
    }
    const nelvix::cli::ParsedArgs parsed = nelvix::cli::ParseCliArgs(arguments);
    if (!parsed.ok())
        return 0;
    const nelvix::cli::CliArgs& args = parsed.args;
    // What the subcommands rely on: a code the setting knows, and the files they index.
    Check(args.codeDecision >= 0 && args.codeDecision <= 3);
    Check(args.command != Subcommand::Convert || args.files.size() == 1);
    Check(args.command != Subcommand::Detect || !args.files.empty());
    // extract runs over one FILE or one file set, with one rule source at most; options name
    // something.
    const nelvix::cli::ExtractArgs& extract = args.extract;
    if (args.command == Subcommand::Extract) {
        Check(extract.file.has_value() != extract.specification.has_value());
        Check(!(extract.rulesFile && extract.dataFile));
        Check(extract.subdirectories || extract.specification);
        for (const auto* name : {&extract.specification, &extract.rulesFile, &extract.dataFile})
            Check(!*name || !(*name)->empty());
    }
    // replay loads one named macro.
    const nelvix::cli::ReplayArgs& replay = args.replay;
    if (args.command == Subcommand::Replay)
        Check(!replay.macro.empty() && (!replay.home || !replay.home->empty()) &&
              (!replay.file || !replay.file->empty()));
    return 0;
}
