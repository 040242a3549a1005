// The encodings and line-end kinds that detection tells apart; their numbers are stored values.
#pragma once

namespace nelvix {

/// Also the values of the "CodeDecision" setting (0 only as a setting).
enum class TextCode : int {
    Auto = 0,
    ShiftJis = 1,
    Jis = 2,
    Euc = 3,
    /// Recognised by automatic detection only; no setting forces it.
    Utf8 = 4,
};

enum class LineEndKind : int {
    CrLf = 0, ///< a CR LF pair was found, or no line end at all
    Cr = 1,   ///< no CR LF; the last line end seen was a CR alone
    Lf = 2,   ///< no CR LF; the last line end seen was an LF alone
};

struct Detection {
    TextCode code = TextCode::ShiftJis;
    LineEndKind lineEnd = LineEndKind::CrLf;
    bool operator==(const Detection&) const = default;
};

/// Printable names, for nelvix-cli and test output.
const char* TextCodeName(TextCode code);
const char* LineEndKindName(LineEndKind kind);

} // namespace nelvix
