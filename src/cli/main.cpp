// nelvix-cli: the batch companion of Nelvix, over the same engines.
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "cli/io/output_file.h"
#include "cli/run_cli.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return nelvix::cli::RunCli(arguments, std::cout, std::cerr,
                               nelvix::cli::RegularFileOn(STDOUT_FILENO));
}
