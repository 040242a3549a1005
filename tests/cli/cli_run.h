// Running nelvix-cli in-process and keeping what it wrote.
#pragma once

#include <optional>
#include <sstream>
#include <string>
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

} // namespace nelvix::cli
