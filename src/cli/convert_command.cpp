// nelvix-cli convert: loads the file through CKespoDoc, the way the program opens it, and
// writes what the document holds.
#include "cli/convert_command.h"

#include <optional>
#include <string_view>

#include "base/cp932.h"
#include "cli/exit_status.h"
#include "cli/io/document_text.h"

namespace nelvix::cli {
namespace {

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
    bool whole = true;
    std::optional<std::string> text = LoadDocumentText(nativePath, codeDecision, err, &whole);
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
    // The text that could be given is out; the file was still not read to its end.
    return whole ? kExitOk : kExitFileError;
}

} // namespace nelvix::cli
