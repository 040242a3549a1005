// A search over a file set into a new result document, as the global find and the HTML search
// run it: the document, the progress window, and what the counts call for at the end.
#pragma once

#include <functional>

#include "search/global_find_engine.h"

namespace nelvix {

class Application;
class CKespoDoc;
class FrameWindows;
class GlobalFindProgress;
class PlacementState;
class ResultDocumentSink;

namespace ui {
class ProgressWindow;
}

/// A new document placed as a run's result, told that results are about to fill it; nothing
/// when none could be made.
CKespoDoc* CreateResultDocument(FrameWindows& windows, PlacementState& placement);

/// The search itself, writing into the sink and reporting to the open progress window.
using ResultSearch =
    std::function<GlobalFindCounts(ResultDocumentSink& sink, GlobalFindProgress& progress)>;

/// Runs `search` into `result` under the progress window, captioned with message `titleId`.
/// Then message 59438 when there were too many directories, the result closed when nothing was
/// found, and the counts under the same caption when the settings ask for them.
void SearchIntoResult(Application& application, FrameWindows& windows,
                      ui::ProgressWindow& progressWindow, CKespoDoc& result, int titleId,
                      const ResultSearch& search);

} // namespace nelvix
