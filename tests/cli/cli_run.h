// Running nelvix-cli in-process and keeping what it wrote.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/run_cli.h"

namespace nelvix::cli {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunWith(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

} // namespace nelvix::cli
