// CKespoView: the view of one document; places its text window and its two rulers and switches
// the rulers on and off.
#pragma once

#include "ui/surface.h"
#include "view/view_settings.h"

namespace nelvix {

inline constexpr int kCommandColumnRuler = 32806; ///< "桁ルーラー"
inline constexpr int kCommandLineRuler = 32807;   ///< "行ルーラー"

/// The rectangles of the three children in the view's client area; a hidden ruler's is empty.
struct ViewChildRects {
    ui::PixelRect columnRuler;
    ui::PixelRect lineRuler;
    ui::PixelRect textWindow;
    bool operator==(const ViewChildRects&) const = default;
};

ViewChildRects PlaceViewChildren(int clientWidth, int clientHeight, int rulerHeight,
                                 int lineRulerWidth, bool showColumnRuler, bool showLineRuler);

/// Moves and shows or hides the children of a view.
class ViewChildren {
public:
    virtual ~ViewChildren() = default;
    virtual void Place(const ViewChildRects& rects) = 0;
};

class CKespoView {
public:
    /// The settings belong to the application; the ruler toggles change them for every view.
    CKespoView(ViewSettings& settings, ViewChildren& children, int rulerHeight, int lineRulerWidth);

    void OnSize(int clientWidth, int clientHeight);
    /// The ruler sizes after the font changed; the children are placed again.
    void SetRulerSizes(int rulerHeight, int lineRulerWidth);
    /// False for a command that is not the view's own.
    bool OnCommand(int command);
    /// Whether the menu item of a command is checked.
    bool IsChecked(int command) const;
    const ViewChildRects& ChildRects() const { return m_rects; }

private:
    void PlaceChildren();

    ViewSettings& m_settings;
    ViewChildren& m_children;
    int m_rulerHeight = 0;
    int m_lineRulerWidth = 0;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
    ViewChildRects m_rects;
};

} // namespace nelvix
