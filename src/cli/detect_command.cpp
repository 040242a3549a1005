// nelvix-cli detect: runs the program's own detection on each file: its head, and past a plain
// head the first byte that tells the encoding.
#include "cli/detect_command.h"

#include <array>

#include "cli/exit_status.h"
#include "cli/io/input_file.h"
#include "encoding/detect.h"
#include "encoding/text_detection.h"

namespace nelvix::cli {
namespace {

// False (after the reason on `err`) when the file's head cannot be read.
bool DetectOne(const std::string& nativePath, std::ostream& out, std::ostream& err) {
    InputFile file(nativePath);
    std::array<Byte, kExaminedHeadBytes> head{};
    std::optional<std::size_t> length = file.ReadHead(head.data(), head.size());
    if (!length) {
        err << "nelvix-cli: " << nativePath << ": " << file.Reason() << '\n';
        return false;
    }
    const Detection detection = DetectOpenFile(file.Descriptor(), head.data(), *length);
    out << nativePath << ": " << TextCodeName(detection.code) << ", "
        << LineEndKindName(detection.lineEnd) << '\n';
    return true;
}

} // namespace

int RunDetect(std::span<const std::string> nativePaths, std::ostream& out, std::ostream& err) {
    int status = kExitOk;
    for (const std::string& nativePath : nativePaths) {
        if (!DetectOne(nativePath, out, err))
            status = kExitFileError;
    }
    return status;
}

} // namespace nelvix::cli
