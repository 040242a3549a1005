// A search over a file set into a new result document.
#include "commands/result_search_run.h"

#include <string>

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/frame_windows.h"
#include "commands/global_find_progress.h"
#include "commands/result_document_sink.h"
#include "text/text_document.h"
#include "ui/message_table.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

void ShowCounts(ui::Platform& platform, const GlobalFindCounts& counts, int titleId) {
    ui::MessageRequest request;
    request.id = ui::kMsgGlobalFindCounts;
    request.text =
        ui::FormatMessage(ui::MessageText(ui::kMsgGlobalFindCounts),
                          {std::to_string(counts.filesSearched), std::to_string(counts.hits)});
    request.caption = ui::MessageText(titleId);
    request.style = {ui::MessageButtons::Ok, ui::MessageIcon::None, false};
    platform.messageBox.Show(request);
}

} // namespace

CKespoDoc* CreateResultDocument(FrameWindows& windows, PlacementState& placement) {
    CKespoDoc* result = nullptr;
    {
        RunPlacement runPlacement(placement);
        result = windows.CreateUntitledDocument();
    }
    if (result != nullptr)
        result->UpdateAllViews(UpdateHint::ResultAboutToFill);
    return result;
}

void SearchIntoResult(Application& application, FrameWindows& windows,
                      ui::ProgressWindow& progressWindow, CKespoDoc& result, int titleId,
                      const ResultSearch& search) {
    GlobalFindProgress progress(progressWindow);
    progress.Open(ui::MessageText(titleId));
    ResultDocumentSink sink(result, application.Documents());
    GlobalFindCounts counts = search(sink, progress);
    sink.ShowAppended();
    // A full result ends the run as "中断" would; the count is of the lines it holds.
    if (sink.LimitReached())
        counts.hits = sink.LinesKept();
    if (counts.subdirectoryOverflow)
        ui::ShowMessage(application.Platform(), ui::kMsgTooManyDirectories);
    if (counts.hits == 0 && sink.DocumentOpen())
        windows.CloseDocument(result);
    progress.Close();
    if (application.GetSettings().displayGlobalFindResult)
        ShowCounts(application.Platform(), counts, titleId);
}

} // namespace nelvix
