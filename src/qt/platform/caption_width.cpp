// Room for a window's caption.
#include "qt/platform/caption_width.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include <algorithm>

namespace nelvix::qt {
namespace {

/// A title bar's window icon, its three buttons and their margins, as common window managers
/// draw them.
constexpr int kTitleBarButtonsPixels = 160;

} // namespace

int CaptionWidth(const QWidget& window, const QString& caption) {
    // Qt knows the title bar's font under this name; window managers draw captions bold.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int text = std::max(QFontMetrics(font).horizontalAdvance(caption),
                              QFontMetrics(window.font()).horizontalAdvance(caption));
    return text + kTitleBarButtonsPixels;
}

void KeepCaptionWhole(QDialog& dialog) {
    dialog.setMinimumWidth(CaptionWidth(dialog, dialog.windowTitle()));
}

void KeepCaptionWhole(QMessageBox& box) {
    // The box takes its width from its layout's size hint; a spacer across all its columns
    // widens that.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    grid->addItem(new QSpacerItem(CaptionWidth(box, box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace nelvix::qt
