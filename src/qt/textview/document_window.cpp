// The document window.
#include "qt/textview/document_window.h"

#include <QCloseEvent>
#include <QMdiArea>

#include "qt/platform/convert.h"
#include "text/document_list.h"

namespace nelvix::qt {

CKespoMCW::CKespoMCW(const DocumentWindowContext& context, CKespoDoc& document, WindowId id,
                     QWidget* parent)
    : QMdiSubWindow(parent), m_context(context), m_document(&document), m_id(id),
      m_viewWidget(
          new KespoViewWidget(document, context.platform,
                              {context.viewSettings, context.rulerSettings, context.caretSettings},
                              context.doubleClicks)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(m_viewWidget);
    RefreshTitle();
    connect(this, &QMdiSubWindow::windowStateChanged, this, &CKespoMCW::OnStateChanged);
    connect(m_viewWidget, &KespoViewWidget::caretPanesChanged, this,
            [this](const PositionPanes& panes) {
                if (IsActive() && m_context.caretMoved)
                    m_context.caretMoved(*this, panes);
            });
}

CKespoMCW::~CKespoMCW() {
    // The sub window still reports state changes while it is destroyed, when this part of it
    // is gone.
    disconnect(this, &QMdiSubWindow::windowStateChanged, this, &CKespoMCW::OnStateChanged);
    // The view leaves the document before anything else of the window goes.
    delete m_viewWidget;
}

CKespoEV* CKespoMCW::TextWindow() {
    return m_viewWidget != nullptr ? &m_viewWidget->TextWidget().TextWindow() : nullptr;
}

CKespoView* CKespoMCW::View() {
    return m_viewWidget != nullptr ? &m_viewWidget->View() : nullptr;
}

bool CKespoMCW::RunCommand(int id) {
    if (m_viewWidget == nullptr)
        return false;
    if (m_viewWidget->View().OnCommand(id)) {
        PlaceOtherViews();
        return true;
    }
    return m_viewWidget->TextWidget().TextWindow().OnCommand(id);
}

bool CKespoMCW::IsCommandEnabled(int id) const {
    if (m_viewWidget == nullptr)
        return false;
    if (id == kCommandColumnRuler || id == kCommandLineRuler)
        return true;
    return m_viewWidget->TextWidget().TextWindow().IsCommandEnabled(id);
}

bool CKespoMCW::IsCommandChecked(int id) const {
    return m_viewWidget != nullptr && m_viewWidget->View().IsChecked(id);
}

void CKespoMCW::RefreshTitle() {
    if (m_document == nullptr)
        return;
    QString title = SjisToQString(m_document->Title());
    if (m_number > 0)
        title += QLatin1Char(':') + QString::number(m_number);
    setWindowTitle(title);
}

void CKespoMCW::SetWindowNumber(int number) {
    m_number = number;
    RefreshTitle();
}

void CKespoMCW::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    if (!event->isAccepted() || m_document == nullptr)
        return;
    if (m_context.closing)
        m_context.closing(*this);
    CKespoDoc* document = m_document;
    m_document = nullptr;
    setWidget(nullptr);
    delete m_viewWidget;
    m_viewWidget = nullptr;
    // A document lives until its last view closes.
    if (document->FirstView() == nullptr)
        m_context.documents.Close(*document);
}

void CKespoMCW::OnStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState) {
    if (oldState.testFlag(Qt::WindowActive) || !newState.testFlag(Qt::WindowActive) ||
        m_viewWidget == nullptr)
        return;
    if (m_context.activated)
        m_context.activated(*this);
    if (m_context.caretMoved)
        m_context.caretMoved(*this, m_viewWidget->CaretPanes());
}

bool CKespoMCW::IsActive() const {
    return mdiArea() == nullptr || mdiArea()->activeSubWindow() == this;
}

void CKespoMCW::PlaceOtherViews() {
    if (mdiArea() == nullptr)
        return;
    for (QMdiSubWindow* subWindow : mdiArea()->subWindowList()) {
        auto* window = qobject_cast<CKespoMCW*>(subWindow);
        if (window != nullptr && window != this && window->m_viewWidget != nullptr)
            window->m_viewWidget->PlaceAgain();
    }
}

} // namespace nelvix::qt
