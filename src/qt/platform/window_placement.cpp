// Window placements between Qt widgets and stored numbers.
#include "qt/platform/window_placement.h"

#include <QWidget>

namespace nelvix::qt {
namespace {

/// The byte length of a stored placement, its first word.
constexpr std::int32_t kPlacementBytes = 44;

std::uint32_t ShowStateOf(const QWidget& widget) {
    if (widget.isMinimized())
        return ui::kShowMinimized;
    return widget.isMaximized() ? ui::kShowMaximized : ui::kShowNormal;
}

} // namespace

ui::WindowPlacement PlacementOf(const QWidget& widget) {
    QRect normal = widget.normalGeometry().isValid() ? widget.normalGeometry() : widget.geometry();
    ui::WindowPlacement placement;
    placement.showState = ShowStateOf(widget);
    placement.minX = placement.minY = placement.maxX = placement.maxY = -1;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    return placement;
}

void ApplyPlacement(QWidget& widget, const ui::WindowPlacement& placement) {
    int width = placement.right - placement.left;
    int height = placement.bottom - placement.top;
    if (width > 0 && height > 0)
        widget.setGeometry(placement.left, placement.top, width, height);
}

void ShowInState(QWidget& widget, std::uint32_t showState) {
    if (showState == ui::kShowMaximized)
        widget.showMaximized();
    else if (showState == ui::kShowMinimized)
        widget.showMinimized();
    else
        widget.show();
}

std::array<std::int32_t, 11> DocumentWindowPlacement(const QWidget& window) {
    ui::WindowPlacement p = PlacementOf(window);
    return {kPlacementBytes,
            static_cast<std::int32_t>(p.flags),
            static_cast<std::int32_t>(p.showState),
            p.minX,
            p.minY,
            p.maxX,
            p.maxY,
            p.left,
            p.top,
            p.right,
            p.bottom};
}

} // namespace nelvix::qt
