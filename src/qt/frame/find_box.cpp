// The find box.
#include "qt/frame/find_box.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

#include "find/find_history.h"
#include "frame/frame_toolbar.h"
#include "qt/frame/frame_font.h"
#include "qt/platform/convert.h"

namespace nelvix::qt {

FindBox::FindBox(int dotsPerInch, QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("findBox"));
    setEditable(true);
    // Enter searches; it must neither add an item nor complete the text to another entry.
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setFont(FrameFont(kFindBoxFont, dotsPerInch));
    setFixedWidth(kFindBoxWidthPixels);
}

void FindBox::Refresh(const std::vector<std::string>& sjisHistory) {
    clear();
    const std::size_t count = std::min(sjisHistory.size(), kFindHistoryEntries);
    for (std::size_t i = 0; i < count; ++i)
        addItem(SjisToQString(sjisHistory[i]));
    if (count > 0)
        setCurrentIndex(0);
}

std::string FindBox::SjisText() const {
    return QStringToSjis(currentText());
}

void FindBox::TakeFocus() {
    setFocus(Qt::ShortcutFocusReason);
    lineEdit()->selectAll();
}

void FindBox::SetOnEnter(std::function<void(const std::string&)> onEnter) {
    m_onEnter = std::move(onEnter);
}

void FindBox::SetOnEscape(std::function<void()> onEscape) {
    m_onEscape = std::move(onEscape);
}

void FindBox::showPopup() {
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup == window())
        return;
    // The list keeps its fixed height, also when it opens above the box.
    QRect geometry = popup->geometry();
    if (geometry.bottom() < mapToGlobal(QPoint(0, 0)).y())
        geometry.setTop(geometry.bottom() + 1 - kFindBoxListHeightPixels);
    else
        geometry.setHeight(kFindBoxListHeightPixels);
    popup->setGeometry(geometry);
}

void FindBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_onEnter) {
        m_onEnter(SjisText());
        event->accept();
        return;
    }
    if (key == Qt::Key_Escape && m_onEscape) {
        m_onEscape();
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace nelvix::qt
