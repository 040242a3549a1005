// CKespoView: placing the text window and the two rulers, and the ruler toggles.
#include "view/document_view.h"

#include <algorithm>

namespace nelvix {

ViewChildRects PlaceViewChildren(int clientWidth, int clientHeight, int rulerHeight,
                                 int lineRulerWidth, bool showColumnRuler, bool showLineRuler) {
    const int top = showColumnRuler ? rulerHeight : 0;
    const int left = showLineRuler ? lineRulerWidth : 0;
    ViewChildRects rects;
    if (showColumnRuler)
        rects.columnRuler = {0, 0, clientWidth, rulerHeight};
    if (showLineRuler)
        rects.lineRuler = {0, top, lineRulerWidth, clientHeight};
    rects.textWindow = {left, top, std::max(left, clientWidth), std::max(top, clientHeight)};
    return rects;
}

CKespoView::CKespoView(ViewSettings& settings, ViewChildren& children, int rulerHeight,
                       int lineRulerWidth)
    : m_settings(settings), m_children(children), m_rulerHeight(rulerHeight),
      m_lineRulerWidth(lineRulerWidth) {}

void CKespoView::OnSize(int clientWidth, int clientHeight) {
    m_clientWidth = clientWidth;
    m_clientHeight = clientHeight;
    PlaceChildren();
}

void CKespoView::SetRulerSizes(int rulerHeight, int lineRulerWidth) {
    m_rulerHeight = rulerHeight;
    m_lineRulerWidth = lineRulerWidth;
    PlaceChildren();
}

bool CKespoView::OnCommand(int command) {
    if (command == kCommandColumnRuler)
        m_settings.displayRulerBar = !m_settings.displayRulerBar;
    else if (command == kCommandLineRuler)
        m_settings.displayLineBar = !m_settings.displayLineBar;
    else
        return false;
    PlaceChildren();
    return true;
}

bool CKespoView::IsChecked(int command) const {
    if (command == kCommandColumnRuler)
        return m_settings.displayRulerBar;
    if (command == kCommandLineRuler)
        return m_settings.displayLineBar;
    return false;
}

void CKespoView::PlaceChildren() {
    m_rects = PlaceViewChildren(m_clientWidth, m_clientHeight, m_rulerHeight, m_lineRulerWidth,
                                m_settings.displayRulerBar, m_settings.displayLineBar);
    m_children.Place(m_rects);
}

} // namespace nelvix
