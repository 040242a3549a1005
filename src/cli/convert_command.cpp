// nelvix-cli convert: loads the file through CKespoDoc, the way the program opens it, and
// writes what the document holds.
#include "cli/convert_command.h"

#include <memory>
#include <optional>
#include <string_view>

#include "cli/console_platform.h"
#include "cli/exit_status.h"
#include "cli/input_file.h"
#include "cli/temp_work_file.h"
#include "text/cp932.h"
#include "text/kespo_doc.h"
#include "text/native_path.h"

namespace nelvix::cli {
namespace {

// The document's Shift-JIS text; nothing (after a message on `err`) when it cannot be loaded.
std::optional<std::string> LoadAsDocument(const std::string& nativePath, int codeDecision,
                                          std::ostream& err) {
    TempWorkFile workFile;
    if (workFile.Path().empty()) {
        // Without a work file the document would read the file unconverted and show the wrong
        // text, so converting stops here instead.
        err << "nelvix-cli: cannot make a work file: " << workFile.Reason() << '\n';
        return std::nullopt;
    }
    ConsolePlatform console(err);
    // No attribute file and no recent-file list: the command line only reads.
    DocumentEnvironment environment{.platform = console.platform,
                                    .workFilePath = workFile.Path(),
                                    .codeDecision = codeDecision};
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
    if (document == nullptr) {
        err << "nelvix-cli: " << nativePath << ": out of memory\n";
        return std::nullopt;
    }
    if (!document->OnOpenDocument(NativePathToSjis(nativePath))) {
        err << "nelvix-cli: " << nativePath << ": cannot be loaded\n";
        return std::nullopt;
    }
    return std::string(document->TextView());
}

// The document holds CR only in CR LF pairs, so dropping every CR that precedes an LF leaves
// the lines and nothing else; UTF-8 never holds CR or LF inside a character.
std::string ToTerminalUtf8(std::string_view sjisText) {
    std::string utf8 = Cp932ToUtf8(sjisText);
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t index = 0; index < utf8.size(); ++index) {
        bool crOfCrLf = utf8[index] == '\r' && index + 1 < utf8.size() && utf8[index + 1] == '\n';
        if (!crOfCrLf)
            result.push_back(utf8[index]);
    }
    return result;
}

} // namespace

int RunConvert(const std::string& nativePath, int codeDecision, bool utf8, std::ostream& out,
               std::ostream& err) {
    {
        // The document reports a file it cannot open only as a load failure; opening it here
        // first gives the person the reason.
        InputFile file(nativePath);
        if (!file.IsOpen()) {
            err << "nelvix-cli: " << nativePath << ": " << file.Reason() << '\n';
            return kExitFileError;
        }
    }
    std::optional<std::string> text = LoadAsDocument(nativePath, codeDecision, err);
    if (!text)
        return kExitFileError;
    if (utf8)
        out << ToTerminalUtf8(*text);
    else
        out << *text;
    out.flush();
    if (!out) {
        err << "nelvix-cli: cannot write the output\n";
        return kExitFileError;
    }
    return kExitOk;
}

} // namespace nelvix::cli
