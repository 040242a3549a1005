// Printable names of encodings and line-end kinds.
#include "encoding/text_code.h"

namespace nelvix {

const char* TextCodeName(TextCode code) {
    switch (code) {
    case TextCode::Auto:
        return "auto";
    case TextCode::ShiftJis:
        return "Shift-JIS";
    case TextCode::Jis:
        return "JIS";
    case TextCode::Euc:
        return "EUC-JP";
    case TextCode::Utf8:
        return "UTF-8";
    }
    return "unknown";
}

const char* LineEndKindName(LineEndKind kind) {
    switch (kind) {
    case LineEndKind::CrLf:
        return "CRLF";
    case LineEndKind::Cr:
        return "CR";
    case LineEndKind::Lf:
        return "LF";
    }
    return "unknown";
}

} // namespace nelvix
