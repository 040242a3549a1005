// nelvix-cli convert: a file's text exactly as the program's document holds it.
#pragma once

#include <ostream>
#include <string>

namespace nelvix::cli {

/// Writes the text of `nativePath`, loaded as a document with the "CodeDecision" value
/// `codeDecision`, to `out`: Shift-JIS with CR LF, or with `utf8` UTF-8 with LF. Messages of
/// the load go to `err`. kExitFileError (after the path and reason on `err`) when the file
/// cannot be read or the output cannot be written; kExitOk otherwise.
int RunConvert(const std::string& nativePath, int codeDecision, bool utf8, std::ostream& out,
               std::ostream& err);

} // namespace nelvix::cli
