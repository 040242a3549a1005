// Loading a file through CKespoDoc, the way the program opens it.
#include "cli/io/document_text.h"

#include <memory>

#include "base/native_path.h"
#include "cli/io/console_platform.h"
#include "cli/io/input_file.h"
#include "cli/io/temp_work_file.h"
#include "text/text_document.h"

namespace nelvix::cli {

std::optional<std::string> LoadDocumentText(const std::string& nativePath, int codeDecision,
                                            std::ostream& err, bool* whole) {
    {
        // The document reports a file it cannot open only as a load failure; opening it here
        // first gives the person the reason.
        InputFile file(nativePath);
        if (!file.IsOpen()) {
            err << "nelvix-cli: " << nativePath << ": " << file.Reason() << '\n';
            return std::nullopt;
        }
    }
    TempWorkFile workFile;
    if (workFile.Path().empty()) {
        // Without a work file the document would read the file unconverted and hold the wrong
        // text, so the load stops here instead.
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
    // A document that opens reports nothing unless it holds less than the file.
    if (whole != nullptr)
        *whole = console.messageBox.ShownCount() == 0;
    return std::string(document->TextView());
}

} // namespace nelvix::cli
