// Window placements between Qt widgets and the settings store's and cabinet's numbers.
#pragma once

#include <array>
#include <cstdint>

#include "ui/window_placement.h"

class QWidget;

namespace nelvix::qt {

/// The widget's normal rectangle and show state; the minimised and maximised positions are
/// not kept by Qt and read -1.
ui::WindowPlacement PlacementOf(const QWidget& widget);
/// Moves the widget to the placement's normal rectangle when it has an area.
void ApplyPlacement(QWidget& widget, const ui::WindowPlacement& placement);
/// Shows the widget maximised, minimised or normally.
void ShowInState(QWidget& widget, std::uint32_t showState);
/// The eleven words a cabinet keeps for a document window: length 44, then the placement.
std::array<std::int32_t, 11> DocumentWindowPlacement(const QWidget& window);

} // namespace nelvix::qt
