// Pictures of the toolbar's buttons: the style's standard icons where one fits, small drawings
// otherwise.
#pragma once

#include <QIcon>

class QWidget;

namespace nelvix::qt {

/// The picture of the button of `commandId`, drawn in the widget's style and colours.
QIcon ToolbarIcon(int commandId, const QWidget& widget);

} // namespace nelvix::qt
