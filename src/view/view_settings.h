// The settings the viewer reads that are not the document's own layout words; the application
// fills them from its settings record and display block.
#pragma once

#include "render/text_paint_input.h"

namespace nelvix {

struct ViewSettings {
    int leftMarginTenthsMm = 0; ///< "LeftMgnLM", 0..1000
    int topMarginTenthsMm = 0;  ///< "TopMgnLM", 0..1000
    int lineNumbering = 0;      ///< 0: every row counts; 1: only rows that begin a line
    bool freeCursor = false;
    bool wordWrap = false;
    bool displayRulerBar = true;           ///< "DisplayRulerBar": the column ruler is shown
    bool displayLineBar = true;            ///< "DisplayLineBar": the line ruler is shown
    bool colorAreaComment = false;         ///< "ColorAreaComment"
    bool userKeyWordWithDelimiter = false; ///< "UserKeyWordWithDelimiter"
    /// The cabinet's user keywords and its C and C++ tables; they outlive every view.
    KeywordLists keywords{};
};

} // namespace nelvix
