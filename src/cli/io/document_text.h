// A file named on the command line loaded as Nelvix opens a text: converted to Shift-JIS with
// CR LF through a work file, and through the document's byte filter and length limit.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace nelvix::cli {

/// The text the document holds after opening `nativePath` with the "CodeDecision" value
/// `codeDecision`; nothing (after the reason on `err`) when the file cannot be opened or loaded,
/// or no work file can be made. `whole`, when given, is set to false when the document opened
/// the file only in part, after its message on `err` (the text cut at the document's limit, or
/// no memory to hold it).
std::optional<std::string> LoadDocumentText(const std::string& nativePath, int codeDecision,
                                            std::ostream& err, bool* whole = nullptr);

} // namespace nelvix::cli
