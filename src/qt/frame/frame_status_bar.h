// The main frame's status bar: the message pane, then the caret's three position panes.
#pragma once

#include <QStatusBar>

#include "render/status_panes.h"

class QLabel;

namespace nelvix::qt {

class FrameStatusBar final : public QStatusBar {
    Q_OBJECT
public:
    explicit FrameStatusBar(int dotsPerInch, QWidget* parent = nullptr);

    void SetPositionPanes(const PositionPanes& panes);
    /// The pane of kLinePaneId, kColumnPaneId or kColumnLowPaneId; null for another id.
    QLabel* Pane(int paneId) const;

private:
    QLabel* m_line;
    QLabel* m_column;
    QLabel* m_columnLow;
};

} // namespace nelvix::qt
