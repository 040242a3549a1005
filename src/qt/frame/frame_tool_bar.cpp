// The toolbar.
#include "qt/frame/frame_tool_bar.h"

#include <QAction>

#include "frame/frame_toolbar.h"
#include "qt/frame/find_box.h"
#include "qt/frame/toolbar_icons.h"
#include "qt/platform/convert.h"
#include "record/command_table.h"

namespace nelvix::qt {
namespace {

bool IsUserTool(int commandId) {
    return commandId >= kCmdUserTool1 && commandId <= kCmdUserToolLast;
}

} // namespace

FrameToolBar::FrameToolBar(const FrameCommandState& state, std::function<void(int)> run,
                           int dotsPerInch, QWidget* parent)
    : QToolBar(parent), m_state(state), m_run(std::move(run)) {
    setObjectName(QStringLiteral("toolBar"));
    for (const ToolbarItem& item : FrameToolbar()) {
        const TipParts tip = SplitTip(item.tip);
        switch (item.kind) {
        case ToolbarItemKind::Separator:
            addSeparator();
            break;
        case ToolbarItemKind::FindBox:
            m_findBox = new FindBox(dotsPerInch, this);
            m_findBox->setToolTip(TableTextToQString(tip.shortTip));
            m_findBox->setStatusTip(TableTextToQString(tip.statusText));
            addWidget(m_findBox);
            break;
        case ToolbarItemKind::Button: {
            QAction* button =
                addAction(ToolbarIcon(item.commandId, *this), TableTextToQString(tip.shortTip));
            button->setToolTip(TableTextToQString(tip.shortTip));
            button->setStatusTip(TableTextToQString(tip.statusText));
            button->setData(item.commandId);
            connect(button, &QAction::triggered, this, [this, id = item.commandId] { m_run(id); });
            m_buttons.append(button);
            break;
        }
        }
    }
}

void FrameToolBar::RefreshFindBox(const std::vector<std::string>& sjisHistory) {
    m_findBox->Refresh(sjisHistory);
}

QAction* FrameToolBar::Button(int commandId) const {
    for (QAction* button : m_buttons)
        if (button->data().toInt() == commandId)
            return button;
    return nullptr;
}

void FrameToolBar::UpdateButtons() {
    for (QAction* button : m_buttons) {
        const int id = button->data().toInt();
        button->setEnabled(m_state.IsEnabled(id));
        if (IsUserTool(id)) {
            const QString tip = SjisToQString(m_state.ToolTipText(id));
            button->setText(tip);
            button->setToolTip(tip);
        }
    }
}

} // namespace nelvix::qt
