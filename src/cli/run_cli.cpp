// Dispatching nelvix-cli's subcommands.
#include "cli/run_cli.h"

#include "cli/args/cli_args.h"
#include "cli/convert_command.h"
#include "cli/detect_command.h"
#include "cli/exit_status.h"
#include "cli/extract_command.h"
#include "cli/find_command.h"
#include "cli/html_command.h"
#include "cli/replay_command.h"

namespace nelvix::cli {

int RunCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err,
           std::optional<OutputFile> outputFile) {
    ParsedArgs parsed = ParseCliArgs(arguments);
    if (!parsed.ok()) {
        err << "nelvix-cli: " << parsed.error << "\n\n" << UsageText();
        return kExitUsage;
    }
    CliArgs& args = parsed.args;
    args.outputFile = outputFile;
    switch (args.command) {
    case Subcommand::Help:
        out << UsageText();
        return kExitOk;
    case Subcommand::Detect:
        return RunDetect(args.files, out, err);
    case Subcommand::Convert:
        return RunConvert(args.files.front(), args.codeDecision, args.utf8, out, err);
    case Subcommand::Find:
        return RunFind(args, out, err);
    case Subcommand::Extract:
        return RunExtract(args, out, err);
    case Subcommand::Html:
        return RunHtml(args, out, err);
    case Subcommand::Replay:
        return RunReplay(args, out, err);
    }
    return kExitUsage;
}

} // namespace nelvix::cli
