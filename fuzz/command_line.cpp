// Any bytes as a command line: the parse never reads outside the text, and the file name it
// gives back is a whole piece of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    nelvix::CommandLineRequest request = nelvix::ParseCommandLine(text);
    if (request.file.size() >= nelvix::kCommandLineTokenLimit ||
        text.find(request.file) == std::string_view::npos)
        std::abort();
    return 0;
}
