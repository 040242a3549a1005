// The status bar.
#include "qt/frame/frame_status_bar.h"

#include <QFontMetrics>
#include <QLabel>

#include "qt/frame/frame_font.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

constexpr int kPaneMarginPixels = 2;

/// An indicator pane as wide as its width string in the bar's font.
QLabel* NewPane(QStatusBar& bar, int paneId, std::string_view widthText) {
    auto* pane = new QLabel(&bar);
    pane->setObjectName(QStringLiteral("pane%1").arg(paneId));
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setMargin(kPaneMarginPixels);
    const QString width = TableTextToQString(widthText);
    pane->setFixedWidth(QFontMetrics(bar.font()).horizontalAdvance(width) +
                        2 * (pane->frameWidth() + kPaneMarginPixels));
    bar.addPermanentWidget(pane);
    return pane;
}

} // namespace

FrameStatusBar::FrameStatusBar(int dotsPerInch, QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusBar"));
    setFont(FrameFont(kStatusBarFont, dotsPerInch));
    m_line = NewPane(*this, kLinePaneId, kLinePaneWidth);
    m_column = NewPane(*this, kColumnPaneId, kColumnPaneWidth);
    m_columnLow = NewPane(*this, kColumnLowPaneId, kColumnLowPaneWidth);
}

void FrameStatusBar::SetPositionPanes(const PositionPanes& panes) {
    m_line->setText(SjisToQString(panes.line));
    m_column->setText(SjisToQString(panes.column));
    m_columnLow->setText(SjisToQString(panes.columnLow));
}

QLabel* FrameStatusBar::Pane(int paneId) const {
    switch (paneId) {
    case kLinePaneId:
        return m_line;
    case kColumnPaneId:
        return m_column;
    case kColumnLowPaneId:
        return m_columnLow;
    default:
        return nullptr;
    }
}

} // namespace nelvix::qt
