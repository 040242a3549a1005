// The main window's document windows: opening, placing, activating and closing them, the window
// bar that follows them, and the status panes of the active one.
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

#include "app/application.h"
#include "commands/document_placement.h"
#include "commands/frame_windows.h"
#include "frame/frame_core.h"
#include "frame/frame_menus.h"
#include "frame/window_bar_rules.h"
#include "qt/frame/frame_menu_bar.h"
#include "qt/frame/frame_status_bar.h"
#include "qt/frame/frame_tool_bar.h"
#include "qt/frame/main_frame.h"
#include "qt/frame/window_bar.h"
#include "qt/textview/document_window.h"
#include "store/viewer_settings.h"
#include "text/document_list.h"

namespace nelvix::qt {

CKespoMCW* CMainFrame::OpenDocumentWindow(std::string_view sjisPath) {
    CKespoDoc* document = m_application.Documents().Open(sjisPath);
    if (document == nullptr)
        return nullptr;
    CKespoMCW* window = FirstWindowOf(*document);
    if (window == nullptr)
        return NewDocumentWindow(*document);
    ActivateDocument(*document);
    return window;
}

CKespoMCW* CMainFrame::NewDocumentWindow(CKespoDoc& document) {
    if (DocumentWindows().empty()) {
        // The cabinet may have been read since the last window closed.
        const Settings& settings = m_application.GetSettings();
        m_viewSettings = ViewSettingsOf(settings, m_application.GetCabinet());
        m_rulerSettings = RulerSettingsOf(settings);
        m_caretSettings = CaretSettingsOf(settings);
    }
    auto* window = new CKespoMCW(*m_windowContext, document, ++m_lastWindowId);
    m_area->addSubWindow(window);
    PlaceNewWindow(*window);
    m_area->setActiveSubWindow(window);
    NumberWindows(document);
    DocumentsChanged();
    return window;
}

void CMainFrame::PlaceNewWindow(CKespoMCW& window) {
    const PlacementMode mode = m_core->Placement().Mode();
    if (mode != PlacementMode::None) {
        const QSize area = m_area->viewport()->size();
        const ui::PixelRect rect = PlacedWindowRect(mode, area.width(), area.height(),
                                                    m_application.GetSettings().upperHeightPix);
        window.showNormal();
        window.setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        return;
    }
    const QMdiSubWindow* active = m_area->activeSubWindow();
    const bool onlyDocument = m_application.Documents().Documents().size() == 1;
    if (onlyDocument || (active != nullptr && active != &window && active->isMaximized()))
        window.showMaximized();
    else
        window.show();
}

CKespoMCW* CMainFrame::ActiveDocumentWindow() const {
    return qobject_cast<CKespoMCW*>(m_area->activeSubWindow());
}

std::vector<CKespoMCW*> CMainFrame::DocumentWindows() const {
    std::vector<CKespoMCW*> windows;
    for (QMdiSubWindow* subWindow : m_area->subWindowList(QMdiArea::CreationOrder))
        if (auto* window = qobject_cast<CKespoMCW*>(subWindow);
            window != nullptr && window->Document() != nullptr)
            windows.push_back(window);
    return windows;
}

CKespoMCW* CMainFrame::WindowOf(WindowId id) const {
    for (CKespoMCW* window : DocumentWindows())
        if (window->Id() == id)
            return window;
    return nullptr;
}

CKespoMCW* CMainFrame::FirstWindowOf(const CKespoDoc& document) const {
    const DocumentView* first = document.FirstView();
    CKespoMCW* any = nullptr;
    for (CKespoMCW* window : DocumentWindows()) {
        if (window->Document() != &document)
            continue;
        if (window->TextWindow() == first)
            return window;
        if (any == nullptr)
            any = window;
    }
    return any;
}

void CMainFrame::NumberWindows(const CKespoDoc& document) {
    std::vector<CKespoMCW*> windows;
    for (CKespoMCW* window : DocumentWindows())
        if (window->Document() == &document)
            windows.push_back(window);
    const bool numbered = windows.size() > 1;
    for (std::size_t i = 0; i < windows.size(); ++i)
        windows[i]->SetWindowNumber(numbered ? static_cast<int>(i + 1) : 0);
}

CKespoEV* CMainFrame::OpenOrActivate(std::string_view sjisPath) {
    CKespoMCW* window = OpenDocumentWindow(sjisPath);
    return window != nullptr && window->Document() != nullptr ? FirstTextWindow(*window->Document())
                                                              : nullptr;
}

CKespoDoc* CMainFrame::CreateUntitledDocument() {
    CKespoDoc* document = m_application.Documents().CreateUntitled();
    if (document != nullptr)
        NewDocumentWindow(*document);
    return document;
}

void CMainFrame::CloseDocument(CKespoDoc& document) {
    for (CKespoMCW* window : DocumentWindows())
        if (window->Document() == &document)
            window->close();
}

CKespoEV* CMainFrame::ActiveTextWindow() {
    CKespoMCW* window = ActiveDocumentWindow();
    return window != nullptr ? window->TextWindow() : nullptr;
}

WindowId CMainFrame::ActiveWindow() const {
    const CKespoMCW* window = ActiveDocumentWindow();
    return window != nullptr ? window->Id() : 0;
}

CKespoEV* CMainFrame::FirstTextWindow(CKespoDoc& document) {
    CKespoMCW* window = FirstWindowOf(document);
    return window != nullptr ? window->TextWindow() : nullptr;
}

void CMainFrame::ActivateDocument(CKespoDoc& document) {
    CKespoMCW* window = FirstWindowOf(document);
    if (window == nullptr)
        return;
    if (window->isMinimized())
        window->showNormal();
    m_area->setActiveSubWindow(window);
    window->ViewWidget()->TextWidget().setFocus();
}

bool CMainFrame::ActivateWindow(WindowId id) {
    CKespoMCW* window = WindowOf(id);
    if (window == nullptr)
        return false;
    if (window->isMinimized())
        window->showNormal();
    m_area->setActiveSubWindow(window);
    return true;
}

CKespoDoc* CMainFrame::DocumentOfWindow(WindowId id) {
    CKespoMCW* window = WindowOf(id);
    return window != nullptr ? window->Document() : nullptr;
}

void CMainFrame::TitleChanged(CKespoDoc& document) {
    for (CKespoMCW* window : DocumentWindows())
        if (window->Document() == &document)
            window->RefreshTitle();
    RefreshWindowBar();
}

void CMainFrame::RefreshFindBox() {
    if (m_toolBar != nullptr)
        m_toolBar->RefreshFindBox(m_application.Histories().patterns);
}

void CMainFrame::RepaintFrame() {
    repaint();
}

TextWindowFindTarget* CMainFrame::FindTargetOf(CKespoEV* window) {
    if (window == nullptr)
        return nullptr;
    auto& target = m_findTargets[window];
    if (target == nullptr)
        target = std::make_unique<TextWindowFindTarget>(*window);
    return target.get();
}

FindTarget* CMainFrame::ActiveFindTarget() {
    return FindTargetOf(ActiveTextWindow());
}

void CMainFrame::WindowActivated(QMdiSubWindow* subWindow) {
    auto* window = qobject_cast<CKespoMCW*>(subWindow);
    if (window == nullptr || window->Document() == nullptr)
        return;
    RefreshWindowBar();
    if (m_statusBar != nullptr)
        m_statusBar->SetPositionPanes(window->ViewWidget()->CaretPanes());
    if (m_toolBar != nullptr)
        m_toolBar->UpdateButtons();
}

void CMainFrame::WindowClosing(CKespoMCW& window) {
    m_findTargets.erase(window.TextWindow());
    CKespoDoc* document = window.Document();
    int windowsOfDocument = 0;
    for (CKespoMCW* other : DocumentWindows())
        windowsOfDocument += other->Document() == document ? 1 : 0;
    if (document != nullptr && windowsOfDocument <= 1)
        m_core->DocumentClosing(*document);
    // The window leaves the area's list only when it is deleted: look again once it has. The
    // document may be gone by then.
    QMetaObject::invokeMethod(
        this,
        [this, document] {
            for (const auto& open : m_application.Documents().Documents())
                if (open.get() == document)
                    NumberWindows(*document);
            DocumentsChanged();
        },
        Qt::QueuedConnection);
}

void CMainFrame::ShowPositionPanes(CKespoMCW&, const PositionPanes& panes) {
    if (m_statusBar != nullptr)
        m_statusBar->SetPositionPanes(panes);
}

void CMainFrame::DocumentsChanged() {
    if (m_menus == nullptr)
        return;
    const bool anyDocument = !m_application.Documents().Documents().empty();
    m_menus->Show(anyDocument ? FrameMenu::Documents : FrameMenu::NoDocument);
    m_menus->SetRecentFiles(m_application.RecentFiles());
    RefreshWindowBar();
    m_toolBar->UpdateButtons();
    if (!anyDocument)
        m_statusBar->SetPositionPanes({});
}

void CMainFrame::RefreshWindowBar() {
    if (m_windowBar == nullptr)
        return;
    std::optional<std::size_t> activeIndex;
    const CKespoMCW* active = ActiveDocumentWindow();
    const auto& documents = m_application.Documents().Documents();
    for (std::size_t i = 0; i < documents.size(); ++i)
        if (active != nullptr && active->Document() == documents[i].get())
            activeIndex = i;
    m_windowBar->Refresh(WindowTabTitles(m_application.Documents()));
    if (activeIndex)
        m_windowBar->Select(*activeIndex);
}

void CMainFrame::ArrangeIcons() {
    std::vector<QMdiSubWindow*> minimised;
    std::vector<IconSize> sizes;
    for (QMdiSubWindow* window : m_area->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized() || !window->isVisible())
            continue;
        minimised.push_back(window);
        sizes.push_back({window->width(), window->height()});
    }
    const QSize area = m_area->viewport()->size();
    const std::vector<ui::PixelRect> rects = ArrangedIconRects(area.width(), area.height(), sizes);
    for (std::size_t i = 0; i < minimised.size(); ++i)
        minimised[i]->move(rects[i].left, rects[i].top);
}

void CMainFrame::SelectTab(std::size_t documentIndex) {
    const auto& documents = m_application.Documents().Documents();
    if (documentIndex >= documents.size() || documentIndex >= kMaxWindowTabs)
        return;
    ActivateDocument(*documents[documentIndex]);
}

} // namespace nelvix::qt
