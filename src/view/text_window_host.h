// What the text window asks of the window that shows it: repainting, moving the image, the
// scroll bars, the caret, the font, the rulers, the mouse and the drag timer.
#pragma once

#include <array>
#include <cstdint>

#include "text/text_document.h"
#include "ui/surface.h"

namespace nelvix {

enum class PointerShape { IBeam, Arrow };

class TextWindowHost {
public:
    virtual ~TextWindowHost() = default;

    virtual void InvalidateAll() = 0;
    virtual void InvalidateRect(const ui::PixelRect& rect) = 0;
    /// Repaints the whole view: the text window and both rulers.
    virtual void InvalidateView() = 0;
    /// Moves the image inside `rect` by (dx, dy) pixels; the uncovered part is invalidated
    /// separately.
    virtual void ScrollImage(const ui::PixelRect& rect, int dx, int dy) = 0;
    /// A range of 0..maximum; `active` false shows the bar disabled at 0..1.
    virtual void SetVerticalScrollBar(int maximum, int position, bool active) = 0;
    /// `maximum` 0 leaves the horizontal range empty.
    virtual void SetHorizontalScrollBar(int maximum, int position) = 0;
    virtual void PlaceCaret(int pixelX, int pixelY) = 0;
    /// Makes the surface's text font from the document's font description with this height in
    /// pixels (negative: the character height) and width 0.
    virtual void MakeTextFont(const FontDescription& font, int pixelHeight) = 0;
    /// The line ruler follows a vertical scroll, the column ruler a horizontal one.
    virtual void RowsScrolled(int rows) = 0;
    virtual void ColumnsScrolled(int columns) = 0;
    /// Both rulers draw again after the layout settings changed.
    virtual void RefreshRulers() = 0;

    // What the caret, the selection and the mouse ask; a window without them ignores them.

    /// The caret bar shows or hides (it hides while a selection is shown).
    virtual void ShowCaretBar(bool /*shown*/) {}
    /// The caret stands on a new cell: the position panes of the status bar and the rulers
    /// that are shown follow it.
    virtual void CaretMoved(std::uint32_t /*column*/, std::uint32_t /*row*/) {}
    virtual void TakeFocus() {}
    /// Mouse events keep coming to the window while the pointer is outside it.
    virtual void CaptureMouse(bool /*captured*/) {}
    virtual void SetPointer(PointerShape /*shape*/) {}
    /// A repeating timer whose ticks come back as the window's drag-timer event.
    virtual void StartDragTimer(int /*milliseconds*/) {}
    virtual void StopDragTimer() {}
};

/// A window that shows nothing: for drawing off screen, tests and fuzzing.
class NullTextWindowHost : public TextWindowHost {
public:
    void InvalidateAll() override {}
    void InvalidateRect(const ui::PixelRect&) override {}
    void InvalidateView() override {}
    void ScrollImage(const ui::PixelRect&, int, int) override {}
    void SetVerticalScrollBar(int, int, bool) override {}
    void SetHorizontalScrollBar(int, int) override {}
    void PlaceCaret(int, int) override {}
    void MakeTextFont(const FontDescription&, int) override {}
    void RowsScrolled(int) override {}
    void ColumnsScrolled(int) override {}
    void RefreshRulers() override {}
};

} // namespace nelvix
