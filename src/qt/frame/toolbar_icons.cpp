// Toolbar pictures.
#include "qt/frame/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

#include <functional>

#include "find/text_find.h"
#include "frame/frame_commands.h"
#include "record/command_table.h"
#include "view/text_window.h"

namespace nelvix::qt {
namespace {

constexpr int kIconPixels = 16;

struct StandardIcon {
    int commandId;
    QStyle::StandardPixmap pixmap;
};

constexpr StandardIcon kStandardIcons[] = {
    {kCmdFileOpen, QStyle::SP_DialogOpenButton},
    {kCmdGlobalFind, QStyle::SP_FileDialogContentsView},
    {kCmdLineExtraction, QStyle::SP_FileDialogDetailedView},
    {kCmdGlobalExtraction, QStyle::SP_FileDialogListView},
    {kCmdHtmlSearch, QStyle::SP_DriveNetIcon},
    {kCmdPreviousTag, QStyle::SP_ArrowBack},
    {kCmdNextTag, QStyle::SP_ArrowForward},
    {kCmdTagWindow, QStyle::SP_FileDialogInfoView},
    {kCmdContextHelp, QStyle::SP_DialogHelpButton},
};

void DrawCopy(QPainter& painter) {
    painter.drawRect(2, 1, 8, 10);
    painter.fillRect(6, 5, 8, 10, painter.background());
    painter.drawRect(6, 5, 8, 10);
}

void DrawFindNext(QPainter& painter) {
    painter.drawEllipse(1, 1, 8, 8);
    painter.drawLine(8, 8, 11, 11);
    painter.drawLine(10, 13, 15, 13);
    painter.drawLine(13, 11, 15, 13);
}

QIcon Drawn(const QWidget& widget, const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kIconPixels, kIconPixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(widget.palette().color(QPalette::ButtonText), 1.5));
    painter.setBackground(widget.palette().base());
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return QIcon(pixmap);
}

QIcon UserToolIcon(const QWidget& widget, int slot) {
    return Drawn(widget, [slot](QPainter& painter) {
        painter.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
        painter.drawText(QRect(0, 0, kIconPixels, kIconPixels), Qt::AlignCenter,
                         QString::number(slot));
    });
}

} // namespace

QIcon ToolbarIcon(int commandId, const QWidget& widget) {
    for (const StandardIcon& icon : kStandardIcons)
        if (icon.commandId == commandId)
            return widget.style()->standardIcon(icon.pixmap, nullptr, &widget);
    if (commandId >= kCmdUserTool1 && commandId <= kCmdUserToolLast)
        return UserToolIcon(widget, commandId - kCmdUserTool1 + 1);
    if (commandId == static_cast<int>(FindBoxCommand::FindNextButton))
        return Drawn(widget, DrawFindNext);
    if (commandId == kCmdCopy)
        return Drawn(widget, DrawCopy);
    return {};
}

} // namespace nelvix::qt
