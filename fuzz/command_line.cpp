// Any bytes as a command line: the parse never reads outside the text, and the file name it
// gives back is a whole piece of it.
#include "app/command_line.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = nelvix::fuzz::Chars(data, size);
    const nelvix::CommandLineRequest request = nelvix::ParseCommandLine(text);
    nelvix::fuzz::Check(request.file.size() < nelvix::kCommandLineTokenLimit &&
                        text.find(request.file) != std::string_view::npos);
    return 0;
}
