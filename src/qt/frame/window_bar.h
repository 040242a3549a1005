// The window bar: one tab per open document, at the top of the document area or below it.
#pragma once

#include <QWidget>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QStyle;
class QTabBar;

namespace nelvix::qt {

class WindowBar final : public QWidget {
    Q_OBJECT
public:
    explicit WindowBar(int dotsPerInch, QWidget* parent = nullptr);

    /// "TabBarHeightAdjust": the tabs sit this many pixels lower and the bar is as much taller.
    void SetHeightAdjust(int pixels);
    /// "ButtonStyleTabBar": tabs drawn as push buttons, without the tab row's base line.
    void SetButtonStyle(bool buttons);

    /// One tab per title (Shift-JIS, in the documents' order), the first 100 only.
    void Refresh(const std::vector<std::string>& sjisTitles);
    /// Selects the tab of the document at `documentIndex`; no tab, nothing happens. Does not
    /// report the selection.
    void Select(std::size_t documentIndex);
    /// Told the index of the document whose tab the user selected.
    void SetOnSelected(std::function<void(std::size_t documentIndex)> onSelected);

    QTabBar& Tabs() const { return *m_tabs; }

private:
    void Selected(int tabIndex);
    void Fit();

    QTabBar* m_tabs;
    QStyle* m_style;
    std::size_t m_documentCount = 0;
    int m_heightAdjust = 0;
    bool m_quiet = false;
    std::function<void(std::size_t)> m_onSelected;
};

/// A widget holding the document area with the bar above it (`barOnTop`, "TabBarToTop" 1) or
/// below it, to be the main window's central widget.
QWidget* DocumentAreaWithWindowBar(QWidget* area, WindowBar* bar, bool barOnTop);

} // namespace nelvix::qt
