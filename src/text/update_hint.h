// The notices by which a document and the engines tell its views what changed.
#pragma once

#include <cstddef>

#include "base/sjis.h"

namespace nelvix {

class CKespoDoc;

/// The numbers are the program's historic hint values.
enum class UpdateHint : int {
    Loaded = 16,              ///< take the text pointer and lay out everything again
    TextMoved = 17,           ///< the text block moved
    FormatCopied = 32,        ///< format settings copied again; see HintArgument::formatChanged
    RedrawAfterSettings = 33, ///< repaint after a change of the settings
    ResultAboutToFill = 34,   ///< an untitled result document is about to be filled
    Relayout = 35,            ///< lay the text out again
    AppendText = 48,          ///< append `text` (NUL-terminated, with its CR LF) at the end
    AppendLength = 49,        ///< append `length` bytes of `text`, with the layout updated
    AppendNoLayout = 50,      ///< as AppendLength, without updating the layout
    /// Repaint what was appended without redrawing since text offset `length`, and (the first
    /// view) put the caret after it, as appending with a redraw would have.
    ShowAppended = 51,
};

struct HintArgument {
    const Byte* text = nullptr;
    std::size_t length = 0;
    bool* formatChanged = nullptr; ///< FormatCopied: whether the fifteen-word font block differed
};

/// Implemented by every view of a document.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void OnUpdate(CKespoDoc& document, UpdateHint hint, const HintArgument& argument) = 0;
};

} // namespace nelvix
