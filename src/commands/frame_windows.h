// The document windows of the main frame as its commands see them: opening and activating
// documents, the active text window, untitled result documents, and window identities that
// outlive the windows (so that a ring of marked windows can tell that one was closed).
#pragma once

#include <cstdint>
#include <string_view>

namespace nelvix {

class CKespoDoc;
class CKespoEV;

/// Names one document window (a view) for the frame's whole life; never reused. 0 is none.
using WindowId = std::uint64_t;

class FrameWindows {
public:
    virtual ~FrameWindows() = default;

    /// Opens the file by the application's normal open, or activates the window of the
    /// document already open for that path; the document's first text window, or null after
    /// the open failure report.
    virtual CKespoEV* OpenOrActivate(std::string_view sjisPath) = 0;
    /// A new untitled document, shown in a window placed by the current placement mode; null
    /// (after its message) when memory ran out.
    virtual CKespoDoc* CreateUntitledDocument() = 0;
    /// Closes the document and every window showing it.
    virtual void CloseDocument(CKespoDoc& document) = 0;

    /// The text window of the active document window; null when none is active.
    virtual CKespoEV* ActiveTextWindow() = 0;
    virtual WindowId ActiveWindow() const = 0;
    /// The text window of the document's first view; null when it has none.
    virtual CKespoEV* FirstTextWindow(CKespoDoc& document) = 0;
    /// Activates and shows the window of the document's first view.
    virtual void ActivateDocument(CKespoDoc& document) = 0;
    /// False when the window no longer exists.
    virtual bool ActivateWindow(WindowId window) = 0;
    /// The document a window shows; null when the window no longer exists.
    virtual CKespoDoc* DocumentOfWindow(WindowId window) = 0;

    /// The document's title changed: window captions and the window bar follow.
    virtual void TitleChanged(CKespoDoc& document) = 0;
    /// Refills the toolbar's find box from the pattern history.
    virtual void RefreshFindBox() = 0;
    /// Repaints the main window at once.
    virtual void RepaintFrame() = 0;
};

} // namespace nelvix
