// The ring of marked windows and the "* " prefix of their titles.
#include "frame/mark_window_ring.h"

#include <algorithm>
#include <string>

#include "text/text_document.h"
#include "ui/platform.h"

namespace nelvix {

MarkWindowRing::MarkWindowRing(FrameWindows& windows, ui::Platform& platform)
    : m_windows(windows), m_platform(platform) {}

bool MarkWindowRing::Contains(WindowId window) const {
    return std::find(m_ring.begin(), m_ring.end(), window) != m_ring.end();
}

void MarkWindowRing::Toggle() {
    const WindowId active = m_windows.ActiveWindow();
    CKespoDoc* document = active == 0 ? nullptr : m_windows.DocumentOfWindow(active);
    if (document == nullptr) {
        m_platform.beeper.Beep();
        return;
    }
    const auto marked = std::find(m_ring.begin(), m_ring.end(), active);
    if (marked != m_ring.end()) {
        RemoveAt(static_cast<std::size_t>(marked - m_ring.begin()));
        RemovePrefix(*document);
        return;
    }
    if (m_ring.size() >= kMaxMarkWindows) {
        m_platform.beeper.Beep();
        return;
    }
    m_ring.push_back(active);
    m_current = m_ring.size() - 1;
    AddPrefix(*document);
}

void MarkWindowRing::Next() {
    Step(true);
}

void MarkWindowRing::Previous() {
    Step(false);
}

void MarkWindowRing::UnmarkAll() {
    // Every title is checked before any changes, so that a refusal leaves all as it was.
    for (const WindowId window : m_ring) {
        const CKespoDoc* document = m_windows.DocumentOfWindow(window);
        if (document != nullptr && document->Title().size() > kMaxPathBytes) {
            m_platform.beeper.Beep();
            return;
        }
    }
    // Two marked windows of one document share one title and one prefix.
    std::vector<CKespoDoc*> unmarked;
    for (const WindowId window : m_ring) {
        CKespoDoc* document = m_windows.DocumentOfWindow(window);
        if (document == nullptr ||
            std::find(unmarked.begin(), unmarked.end(), document) != unmarked.end())
            continue;
        unmarked.push_back(document);
        RemovePrefix(*document);
    }
    m_ring.clear();
    m_current = 0;
}

void MarkWindowRing::Step(bool forward) {
    if (m_ring.empty()) {
        m_platform.beeper.Beep();
        return;
    }
    const std::size_t count = m_ring.size();
    const std::size_t index = forward ? (m_current + 1) % count : (m_current + count - 1) % count;
    m_current = index;
    if (m_windows.ActivateWindow(m_ring[index]))
        return;
    m_platform.beeper.Beep();
    // A closed window leaves the ring when it comes up; the current index is set so that the
    // next step in the same direction reaches the window that followed it.
    m_ring.erase(m_ring.begin() + static_cast<std::ptrdiff_t>(index));
    const std::size_t left = m_ring.size();
    if (left == 0)
        m_current = 0;
    else
        m_current = forward ? (index + left - 1) % left : index % left;
}

void MarkWindowRing::RemoveAt(std::size_t index) {
    m_ring.erase(m_ring.begin() + static_cast<std::ptrdiff_t>(index));
    m_current = m_ring.empty() ? 0 : std::min(m_current, m_ring.size() - 1);
}

void MarkWindowRing::AddPrefix(CKespoDoc& document) {
    const std::string& title = document.Title();
    if (title.starts_with(kMarkTitlePrefix))
        return;
    if (title.size() > kMaxTitleBytesToMark) {
        m_platform.beeper.Beep();
        return;
    }
    document.SetTitle(std::string(kMarkTitlePrefix) + title);
    m_windows.TitleChanged(document);
}

bool MarkWindowRing::RemovePrefix(CKespoDoc& document) {
    const std::string& title = document.Title();
    if (title.size() > kMaxPathBytes || !title.starts_with(kMarkTitlePrefix)) {
        m_platform.beeper.Beep();
        return false;
    }
    document.SetTitle(title.substr(kMarkTitlePrefix.size()));
    m_windows.TitleChanged(document);
    return true;
}

} // namespace nelvix
