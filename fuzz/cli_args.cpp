// Fuzzes nelvix-cli's argument parser with NUL-separated argument lists.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/args/cli_args.h"

namespace {

std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    std::string current;
    for (std::size_t index = 0; index < size; ++index) {
        if (data[index] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[index]));
        }
    }
    if (size > 0)
        arguments.push_back(current);
    return arguments;
}

// A broken promise of the parser: stop here so that the fuzzer keeps the input.
void Check(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using nelvix::cli::Subcommand;
    nelvix::cli::ParsedArgs parsed = nelvix::cli::ParseCliArgs(SplitAtNul(data, size));
    if (!parsed.ok())
        return 0;
    const nelvix::cli::CliArgs& args = parsed.args;
    // What the subcommands rely on: a code the setting knows, and the files they index.
    Check(args.codeDecision >= 0 && args.codeDecision <= 3);
    Check(args.command != Subcommand::Convert || args.files.size() == 1);
    Check(args.command != Subcommand::Detect || !args.files.empty());
    // extract runs over one FILE or one file set, with one rule source at most.
    const nelvix::cli::ExtractArgs& extract = args.extract;
    if (args.command == Subcommand::Extract) {
        Check(extract.file.has_value() != extract.specification.has_value());
        Check(!(extract.rulesFile && extract.dataFile));
        Check(extract.subdirectories || extract.specification);
        Check(!extract.specification || !extract.specification->empty());
        Check(!extract.rulesFile || !extract.rulesFile->empty());
        Check(!extract.dataFile || !extract.dataFile->empty());
    }
    // replay loads one named macro; its options name something.
    const nelvix::cli::ReplayArgs& replay = args.replay;
    if (args.command == Subcommand::Replay) {
        Check(!replay.macro.empty());
        Check(!replay.home || !replay.home->empty());
        Check(!replay.file || !replay.file->empty());
    }
    return 0;
}
