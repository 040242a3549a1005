// The main frame's toolbar from the core's table: buttons with their tips, separators and the
// find box.
#pragma once

#include <QToolBar>

#include <functional>
#include <string>
#include <vector>

#include "frame/frame_command_state.h"

namespace nelvix::qt {

class FindBox;

class FrameToolBar final : public QToolBar {
    Q_OBJECT
public:
    /// A button shows its short tip as tooltip and its long one in the status bar, and runs its
    /// command through `run`. The state is first asked by UpdateButtons.
    FrameToolBar(const FrameCommandState& state, std::function<void(int commandId)> run,
                 int dotsPerInch, QWidget* parent = nullptr);

    FindBox& Box() const { return *m_findBox; }
    /// Refills the find box from the history (Shift-JIS, newest first).
    void RefreshFindBox(const std::vector<std::string>& sjisHistory);

    /// The button of `commandId`; null when the toolbar has none.
    QAction* Button(int commandId) const;
    /// Enables the buttons as the state says and gives the user tools their tooltips; called
    /// whenever what the state answers may have changed (a window activated, a run ended, a
    /// tool bound).
    void UpdateButtons();

private:
    const FrameCommandState& m_state;
    std::function<void(int)> m_run;
    FindBox* m_findBox = nullptr;
    QList<QAction*> m_buttons;
};

} // namespace nelvix::qt
