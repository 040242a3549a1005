// The window bar.
#include "qt/frame/window_bar.h"

#include <QFontMetrics>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QVBoxLayout>

#include "frame/frame_fonts.h"
#include "frame/window_bar_rules.h"
#include "qt/frame/frame_font.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {
namespace {

/// Tabs exactly as high as the text and its margin, the bar's own height; as buttons on request.
class WindowBarStyle final : public QProxyStyle {
public:
    bool buttons = false;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabVSpace)
            return kWindowBarTextMargin;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (!buttons || element != CE_TabBarTabShape) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        QStyleOptionButton button;
        button.QStyleOption::operator=(*option);
        button.rect = option->rect.adjusted(1, 1, -1, -1);
        if (option->state & State_Selected)
            button.state |= State_Sunken | State_On;
        else
            button.state |= State_Raised;
        QProxyStyle::drawPrimitive(PE_PanelButtonCommand, &button, painter, widget);
    }
};

} // namespace

WindowBar::WindowBar(int dotsPerInch, QWidget* parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_style(new WindowBarStyle) {
    m_style->setParent(m_tabs);
    m_tabs->setStyle(m_style);
    m_tabs->setObjectName(QStringLiteral("windowBar"));
    m_tabs->setFont(FrameFont(kWindowBarFont, dotsPerInch));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setElideMode(Qt::ElideNone);
    // A click brings a document forward; the keyboard stays with its text.
    m_tabs->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabBar::currentChanged, this, &WindowBar::Selected);
    Fit();
}

void WindowBar::SetHeightAdjust(int pixels) {
    m_heightAdjust = pixels;
    Fit();
}

void WindowBar::SetButtonStyle(bool buttons) {
    static_cast<WindowBarStyle*>(m_style)->buttons = buttons;
    m_tabs->setDrawBase(!buttons);
    m_tabs->update();
}

void WindowBar::Refresh(const std::vector<std::string>& sjisTitles) {
    m_quiet = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(m_tabs->count() - 1);
    m_documentCount = sjisTitles.size();
    for (std::size_t i = 0; i < WindowTabCount(sjisTitles.size()); ++i)
        m_tabs->addTab(
            SjisToQString(sjisTitles[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
    m_quiet = false;
}

void WindowBar::Select(std::size_t documentIndex) {
    if (documentIndex >= static_cast<std::size_t>(m_tabs->count()))
        return;
    m_quiet = true;
    m_tabs->setCurrentIndex(static_cast<int>(documentIndex));
    m_quiet = false;
}

void WindowBar::SetOnSelected(std::function<void(std::size_t)> onSelected) {
    m_onSelected = std::move(onSelected);
}

void WindowBar::Selected(int tabIndex) {
    if (m_quiet || !m_onSelected)
        return;
    if (const auto document = DocumentOfTab(tabIndex, m_documentCount))
        m_onSelected(*document);
}

void WindowBar::Fit() {
    const int textHeight = QFontMetrics(m_tabs->font()).height();
    layout()->setContentsMargins(0, m_heightAdjust, 0, 0);
    m_tabs->setFixedHeight(WindowBarHeight(textHeight, 0));
    setFixedHeight(WindowBarHeight(textHeight, m_heightAdjust));
}

QWidget* DocumentAreaWithWindowBar(QWidget* area, WindowBar* bar, bool barOnTop) {
    auto* holder = new QWidget;
    auto* layout = new QVBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    if (barOnTop)
        layout->addWidget(bar);
    layout->addWidget(area, 1);
    if (!barOnTop)
        layout->addWidget(bar);
    return holder;
}

} // namespace nelvix::qt
